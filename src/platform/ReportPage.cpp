#include "platform/ReportPage.h"

#include "graph/Draw2D.h"
#include "graph/SpectrumPlot.h"
#include "io/BandTable.h"
#include "model/RatingLines.h"
#include "model/ResultTexts.h"
#include "model/SpectrumModel.h"
#include "platform/GraphPicture.h"
#include "platform/PainterCanvas.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "unknown"
#endif

namespace velmora {

namespace {

// The page is laid out in units of 1/kPictureDpi inch, the unit of the graph's pixels.
constexpr double kMargin = 48.0;
/** Narrower pages are laid out this wide and drawn smaller, so that the tables keep their columns. */
constexpr double kMinLayoutWidth = 600.0;
constexpr double kGap = 12.0;
constexpr double kCellPadding = 8.0;
constexpr double kMinGraphHeight = 120.0;
/** The graph is at most this much as high as wide: about the window's own proportions. */
constexpr double kMaxGraphAspect = 0.62;

// Font sizes in units: 16, 9 and 8 points.
constexpr int kHeadingPixels = 21;
constexpr int kTextPixels = 12;
constexpr int kSmallPixels = 11;

constexpr int kMaxHeadingLines = 2;
constexpr int kMaxFileLines = 3;
constexpr int kMaxNoteLines = 6;
constexpr int kMaxAdviceLines = 2;
/** More than the longest note fits on a page; a longer text is cut before it is laid out. */
constexpr qsizetype kMaxTextLength = 4000;

QFont Font(int pixels, bool bold = false)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    // No ligatures in Latin text, so that a search for "fl" finds it in a PDF viewer.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

/**
 * text broken at word boundaries into lines at most width wide, each paragraph on lines of its
 * own; when there are more than maxLines, the last line kept ends in an ellipsis.
 */
QStringList WrappedLines(const QString& text, const QFont& font, double width, int maxLines)
{
    QStringList lines;
    for (const QString& paragraph : text.left(kMaxTextLength).split(u'\n')) {
        if (paragraph.trimmed().isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        // A path has no spaces to break at.
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    if (lines.size() > maxLines) {
        lines.resize(maxLines);
        lines.last() =
            QFontMetricsF(font).elidedText(lines.last() + QStringLiteral(" \u2026"), Qt::ElideRight, width);
    }
    return lines;
}

/** Lines of text in one font, drawn from a top edge down. */
struct TextBlock {
    QFont font;
    QStringList lines;

    double height() const { return lines.size() * QFontMetricsF(font).lineSpacing(); }

    /** Draws the lines from top at left; the top of what follows. */
    double draw(QPainter& painter, double left, double top) const
    {
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        for (const QString& line : lines) {
            painter.drawText(QPointF(left, top + metrics.ascent()), line);
            top += metrics.lineSpacing();
        }
        return top;
    }
};

/**
 * A table of text cells under a bold heading: columns of the given widths, numbers aligned right,
 * each cell of one or more lines (the longest sets its row's height).
 */
struct Table {
    QString heading;
    std::vector<double> widths;
    std::vector<bool> rightAligned;
    std::vector<std::vector<QStringList>> rows;

    double rowHeight(const std::vector<QStringList>& row) const
    {
        qsizetype lines = 1;
        for (const QStringList& cell : row)
            lines = std::max(lines, cell.size());
        return lines * QFontMetricsF(Font(kSmallPixels)).lineSpacing();
    }

    double height() const
    {
        double total = QFontMetricsF(Font(kTextPixels, true)).lineSpacing();
        for (const auto& row : rows)
            total += rowHeight(row);
        return total;
    }

    double draw(QPainter& painter, double left, double top) const
    {
        top = TextBlock{Font(kTextPixels, true), {heading}}.draw(painter, left, top);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            // The first row names the columns.
            const QFont font = Font(kSmallPixels, r == 0);
            const QFontMetricsF metrics(font);
            painter.setFont(font);
            double x = left;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                double y = top + metrics.ascent();
                for (const QString& line : rows[r][c]) {
                    const double inset =
                        rightAligned[c] ? widths[c] - kCellPadding - metrics.horizontalAdvance(line) : 0.0;
                    painter.drawText(QPointF(x + inset, y), line);
                    y += metrics.lineSpacing();
                }
                x += widths[c];
            }
            top += rowHeight(rows[r]);
        }
        return top;
    }
};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

/** The ratings of the data type's family, one row each: name, value, governing band, next class. */
Table RatingsTable(const TSpectrumModel& model, double width)
{
    const std::vector<RatingLine> lines = RatingLines(model.Ratings, FamilyOf(model.Nodes.DataType));
    Table table{QStringLiteral("Ratings"), {}, {false, false, false, false}, {}};
    table.rows.push_back({{QStringLiteral("Rating")},
                          {QStringLiteral("Value")},
                          {QStringLiteral("Governing band")},
                          {QStringLiteral("Next class")}});
    for (const RatingLine& line : lines)
        table.rows.push_back(
            {{Text(line.name)}, {Text(line.value)}, {Text(BandName(line.governingBand))}, {}});
    // The first three columns as wide as their widest cell; the advice takes the rest.
    const QFontMetricsF header(Font(kSmallPixels, true));
    const QFontMetricsF metrics(Font(kSmallPixels));
    for (std::size_t c = 0; c < 3; ++c) {
        double widest = header.horizontalAdvance(table.rows.front()[c].front());
        for (const auto& row : table.rows)
            widest = std::max(widest, metrics.horizontalAdvance(row[c].front()));
        table.widths.push_back(widest + 2 * kCellPadding);
    }
    const double adviceWidth =
        std::max(width - table.widths[0] - table.widths[1] - table.widths[2], 2 * kCellPadding);
    table.widths.push_back(adviceWidth);
    for (std::size_t i = 0; i < lines.size(); ++i)
        table.rows[i + 1][3] =
            WrappedLines(Text(lines[i].advice), Font(kSmallPixels), adviceWidth, kMaxAdviceLines);
    return table;
}

/** The band table with the numbers the window shows, aligned right, the room to spare shared out. */
Table BandLevelsTable(const TSpectrumModel& model, double width)
{
    const BandTableCells cells = BandTable(model);
    const std::size_t columns = cells.header.size();
    Table table{QStringLiteral("Band levels"), {}, std::vector<bool>(columns, true), {}};
    const QFontMetricsF header(Font(kSmallPixels, true));
    const QFontMetricsF metrics(Font(kSmallPixels));
    auto& names = table.rows.emplace_back();
    for (const std::string& name : cells.header) {
        names.push_back({Text(name)});
        table.widths.push_back(header.horizontalAdvance(names.back().front()) + 2 * kCellPadding);
    }
    for (const auto& row : cells.rows) {
        auto& cellsOfRow = table.rows.emplace_back();
        for (std::size_t c = 0; c < columns; ++c) {
            cellsOfRow.push_back({Text(row[c])});
            table.widths[c] = std::max(table.widths[c], metrics.horizontalAdvance(cellsOfRow.back().front()) +
                                                            2 * kCellPadding);
        }
    }
    double spare = width;
    for (double column : table.widths)
        spare -= column;
    for (double& column : table.widths)
        column += std::max(0.0, spare) / static_cast<double>(columns);
    return table;
}

/** The graph of the model drawn into box (in units) through the painter canvas, unit device pixels a unit. */
void DrawGraphBox(QPainter& painter, const TSpectrumModel& model, const QRectF& box, double unit)
{
    // Lines and markers as on a screen of this density: whole device pixels per unit of the graph.
    const int scale = std::max(1, static_cast<int>(std::lround(unit)));
    TSpectrumModel shown = model;
    shown.Nodes.Current = -1;
    Draw2DClass surface;
    surface.Width = std::max(1, static_cast<int>(box.width() * scale));
    surface.Height = std::max(1, static_cast<int>(box.height() * scale));

    painter.save();
    painter.setClipRect(box);
    painter.translate(box.topLeft());
    painter.scale(1.0 / scale, 1.0 / scale);
    painter.setFont(Font(kSmallPixels));
    {
        // The margins for the labels are measured in the font the graph is drawn with.
        painter.save();
        PainterCanvas measuring(painter, scale);
        surface.SetCanvas(&measuring, nullptr);
        SetUpSpectrumView(shown, surface);
        surface.Canvas = nullptr;
        painter.restore();
    }
    DrawGraphPicture(shown, surface, painter, scale);
    painter.restore();
}

} // namespace

ReportPage::ReportPage(const QString& title, const QString& note, const QDateTime& when)
    : m_title(title.simplified()), m_note(note.trimmed()), m_when(when)
{
}

void ReportPage::Draw(QPainter& painter, const TSpectrumModel& model, const ReportSubject& subject) const
{
    const QPaintDevice& device = *painter.device();
    // Device pixels per unit, and the page in units, no narrower than the tables need.
    const double unit = device.logicalDpiX() / static_cast<double>(kPictureDpi);
    const double pageWidth = device.width() / unit;
    const double shrink = std::min(1.0, pageWidth / kMinLayoutWidth);
    const double width = pageWidth / shrink - 2 * kMargin;
    const double height = device.height() / unit / shrink - 2 * kMargin;

    const QString name = subject.file.isEmpty() ? QStringLiteral("Untitled") : subject.file;
    const TextBlock heading{Font(kHeadingPixels, true),
                            WrappedLines(m_title.isEmpty() ? QFileInfo(name).fileName() : m_title,
                                         Font(kHeadingPixels, true), width, kMaxHeadingLines)};
    const QFont textFont = Font(kTextPixels);
    QStringList facts = WrappedLines(QStringLiteral("File: ") + name, textFont, width, kMaxFileLines);
    facts += {
        QStringLiteral("Data: %1, %2")
            .arg(Text(DataTypeCaption(model.Nodes.DataType)), Text(BandSetCaption(model))),
        QStringLiteral("Date: %1    Velmora %2")
            .arg(m_when.toString(QStringLiteral("yyyy-MM-dd HH:mm")), QStringLiteral(VELMORA_VERSION)),
        // Unsaved: of the data as a save would write it, which no file holds yet.
        QStringLiteral("SHA-256: ") + subject.fingerprint +
            (subject.unsaved ? QStringLiteral(" (unsaved)") : QString()),
    };
    if (!m_note.isEmpty())
        facts += WrappedLines(m_note, textFont, width, kMaxNoteLines);
    const TextBlock particulars{textFont, facts};
    const Table ratings = RatingsTable(model, width);
    const Table bands = BandLevelsTable(model, width);
    // The graph takes what the text leaves, within its proportions.
    const double text =
        heading.height() + particulars.height() + ratings.height() + bands.height() + 4 * kGap;
    const double graphHeight = std::clamp(height - text, kMinGraphHeight, width * kMaxGraphAspect);

    painter.save();
    painter.scale(unit * shrink, unit * shrink);
    painter.setPen(Qt::black);
    double top = kMargin;
    top = heading.draw(painter, kMargin, top) + kGap / 2;
    top = particulars.draw(painter, kMargin, top) + kGap;
    DrawGraphBox(painter, model, QRectF(kMargin, top, width, graphHeight), unit * shrink);
    painter.setPen(Qt::black);
    top += graphHeight + kGap;
    top = ratings.draw(painter, kMargin, top) + kGap;
    bands.draw(painter, kMargin, top);
    painter.restore();
}

QPageSize ReportPageSize(const QLocale& locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

void SetUpReportWriter(QPdfWriter& writer, const QLocale& locale, const QString& title)
{
    writer.setResolution(kPictureDpi);
    writer.setPageSize(ReportPageSize(locale));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(title.isEmpty() ? QStringLiteral("Velmora report") : title);
    writer.setCreator(QStringLiteral("Velmora " VELMORA_VERSION));
}

void SetUpReportPrinter(QPrinter& printer, const QLocale& locale, const QString& title)
{
    printer.setResolution(kPictureDpi);
    printer.setPageSize(ReportPageSize(locale));
    printer.setFullPage(true);
    printer.setDocName(title.isEmpty() ? QStringLiteral("Velmora report") : title);
    printer.setCreator(QStringLiteral("Velmora " VELMORA_VERSION));
}

QString DataFingerprint(QByteArrayView bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

} // namespace velmora
