#include "app/RatingsPanel.h"

#include "edit/AppContext.h"
#include "entry/NumberText.h"
#include "io/PanelSetting.h"
#include "model/RatingAdvice.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

const QColor kMarkColour(255, 226, 140);

/** value with the given decimals in the "C" locale; "-" when it is not finite. */
QString Shown(double value, int decimals)
{
    if (!std::isfinite(value))
        return QStringLiteral("-");
    QString text = QString::fromStdString(FixedText(value, decimals));
    // A contour a hair below zero is zero to the reader.
    if (text.startsWith(u'-') && text.count(u'0') == text.size() - 1 - (decimals > 0 ? 1 : 0))
        text.remove(0, 1);
    return text;
}

/** A band value that a rating may not use (NaN then): empty when unused, else as Shown. */
QString ShownIfUsed(bool used, double value)
{
    return used ? Shown(value, 1) : QString();
}

} // namespace

RatingsPanel::RatingsPanel(AppContext& context, QMainWindow& window)
    : QDockWidget(&window), m_context(context), m_window(&window)
{
    setObjectName(QStringLiteral("RatingsPanel"));
    setWindowTitle(QStringLiteral("Ratings"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);

    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(6);
    numbers->setVerticalSpacing(1);
    const char* const names[NumberCount] = {"dBA", "dBB", "dBC", "dBD", "NR", "STC", "Rw (C; Ctr)"};
    for (int i = 0; i < NumberCount; ++i) {
        Numbers[i] = new QLabel(content);
        Numbers[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont bold = Numbers[i]->font();
        bold.setBold(true);
        Numbers[i]->setFont(bold);
        // Four to a line: the weighted levels, then the ratings, Rw with its terms taking two places.
        const int row = i < NoiseNumber ? 0 : 1;
        const int column = 2 * (i < NoiseNumber ? i : i - NoiseNumber);
        const int span = i == RwNumber ? 2 : 1;
        numbers->addWidget(new QLabel(QString::fromUtf8(names[i]), content), row, column, 1, span);
        numbers->addWidget(Numbers[i], row, column + span, 1, span);
    }
    numbers->setColumnStretch(8, 1);
    layout->addLayout(numbers);

    Table = new QTableWidget(content);
    BuildTable();
    layout->addWidget(Table, 1);

    StcAdvice = new QLabel(content);
    RwAdvice = new QLabel(content);
    for (QLabel* advice : {StcAdvice, RwAdvice}) {
        advice->setWordWrap(true);
        advice->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(advice);
    }
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("RatingsPages"));
    m_pages->addTab(content, QStringLiteral("Ratings"));
    setWidget(m_pages);

    m_stripWidth = Table->width() + layout->contentsMargins().left() + layout->contentsMargins().right() +
                   2 * m_pages->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);

    m_toggle = new QAction(QStringLiteral("&Ratings Panel"), this);
    m_toggle->setObjectName(QStringLiteral("RatingsPanelAction"));
    m_toggle->setCheckable(true);
    m_toggle->setShortcut(Qt::Key_F2);
    m_toggle->setStatusTip(QStringLiteral("Show the ratings, band by band, and what the next class needs."));
}

void RatingsPanel::AddPage(QWidget* page, const QString& title)
{
    m_pages->addTab(page, title);
}

void RatingsPanel::ShowPage(QWidget* page)
{
    m_toggle->setChecked(true);
    m_pages->setCurrentWidget(page);
}

QSize RatingsPanel::sizeHint() const
{
    return {m_stripWidth + 4, QDockWidget::sizeHint().height()};
}

void RatingsPanel::BuildTable()
{
    struct Heading {
        const char* text;
        const char* hint;
    };
    const Heading headings[ColumnCount] = {
        {"Hz", "Band centre frequency"},
        {"dB", "The band's level"},
        {"A", "The level A-weighted"},
        {"B", "The level B-weighted"},
        {"C", "The level C-weighted"},
        {"D", "The level D-weighted"},
        {"NR", "The Noise Rating curve the band lies on; marked: the band that sets NR"},
        {"STC\ncont.", "The STC contour at the rating"},
        {"STC\ndefic.",
         "How far the band lies under the STC contour. Marked: a band that the next class would "
         "catch by the per-band limit"},
        {"Rw\nref.", "The Rw reference curve, moved to the rating"},
        {"Rw\ndev.", "The band's unfavourable deviation from the Rw reference curve"},
    };
    Table->setColumnCount(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(QString::fromUtf8(headings[column].text));
        item->setToolTip(QString::fromUtf8(headings[column].hint));
        Table->setHorizontalHeaderItem(column, item);
    }
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Keys stay with the graph: Up and Down step the current node, which the table follows.
    Table->setFocusPolicy(Qt::NoFocus);
    Table->setWordWrap(false);
    Table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    const QFontMetrics metrics(Table->font());
    const int rowHeight = metrics.height() + 4;
    Table->verticalHeader()->setMinimumSectionSize(rowHeight);
    Table->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int columnWidth = metrics.horizontalAdvance(QStringLiteral("-888.8")) + 8;
    int width = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        const int extra = column == FrequencyColumn ? metrics.horizontalAdvance(QStringLiteral("0")) : 0;
        Table->setColumnWidth(column, columnWidth + extra);
        width += columnWidth + extra;
    }
    width += Table->verticalScrollBar()->sizeHint().width() + 2 * Table->frameWidth();
    Table->setFixedWidth(width);

    connect(Table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row < m_bandRows)
            emit SlotSelected(row);
    });
}

void RatingsPanel::SetCell(int row, int column, const QString& text, bool marked)
{
    QTableWidgetItem* item = Table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Table->setItem(row, column, item);
    }
    // During a drag most cells keep their text; leaving them untouched keeps the update cheap.
    if (item->text() != text)
        item->setText(text);
    if (item->font().bold() != marked) {
        QFont font = item->font();
        font.setBold(marked);
        item->setFont(font);
        item->setBackground(marked ? QBrush(kMarkColour) : QBrush());
    }
}

void RatingsPanel::Refresh()
{
    if (isHidden())
        return;
    const TSpectrumModel& model = m_context.Model;
    const SpectrumRatings& ratings = model.Ratings;
    const TransmissionClassRating& stc = ratings.transmission;
    const SoundReductionRating& rw = ratings.reduction;

    // The single numbers as the result line shows them; Rw and its terms are whole dB.
    for (int w = 0; w < 4; ++w)
        Numbers[DbaNumber + w]->setText(Shown(ratings.weighted[w], 1));
    Numbers[NoiseNumber]->setText(Shown(ratings.noise.NR, 1));
    Numbers[StcNumber]->setText(Shown(stc.STC, 0));
    Numbers[RwNumber]->setText(
        std::isfinite(rw.Rw)
            ? QStringLiteral("%1 (%2; %3)").arg(Shown(rw.Rw, 0), Shown(rw.C, 0), Shown(rw.Ctr, 0))
            : QStringLiteral("-"));

    if (ratings.bandCount != m_bandRows) {
        m_bandRows = ratings.bandCount;
        const QSignalBlocker blocker(Table);
        Table->setRowCount(m_bandRows + 2);
    }
    for (int k = 0; k < ratings.bandCount; ++k) {
        const BandBreakdown& band = ratings.bands[k];
        SetCell(k, FrequencyColumn, Shown(BandFrequency[band.band], 0));
        SetCell(k, LevelColumn, Shown(band.level, 1));
        for (int w = 0; w < 4; ++w)
            SetCell(k, AColumn + w, Shown(band.weighted[w], 1));
        SetCell(k, NoiseColumn, Shown(band.noiseRating, 1), band.band == ratings.noise.governingBand);
        const bool stcUsed = !std::isnan(band.stcContour);
        SetCell(k, ContourColumn, ShownIfUsed(stcUsed, band.stcContour));
        SetCell(k, DeficiencyColumn, ShownIfUsed(stcUsed, band.stcDeficiency), band.stcNextRise > 0.0);
        const bool rwUsed = !std::isnan(band.rwReference);
        SetCell(k, ReferenceColumn, ShownIfUsed(rwUsed, band.rwReference));
        SetCell(k, DeviationColumn, ShownIfUsed(rwUsed, band.rwDeviation));
    }
    // The sums against their limits: the deficiencies must stay below theirs, the deviations may meet it.
    const int sumRow = m_bandRows;
    const int limitRow = m_bandRows + 1;
    const bool rated = rw.bandCount > 0;
    SetCell(sumRow, FrequencyColumn, QStringLiteral("Sum"));
    SetCell(sumRow, DeficiencyColumn, stc.bandCount > 0 ? Shown(stc.deficiencySum, 1) : QString(),
            stc.bandCount > 0 && !(stc.nextDeficiencySum < stc.sumLimit));
    SetCell(sumRow, DeviationColumn, rated ? Shown(rw.deviationSum, 1) : QString());
    SetCell(limitRow, FrequencyColumn, QStringLiteral("Limit"));
    SetCell(limitRow, DeficiencyColumn,
            stc.bandCount > 0 ? QStringLiteral("<") + Shown(stc.sumLimit, 1) : QString());
    SetCell(limitRow, DeviationColumn, std::isfinite(rw.limit) ? Shown(rw.limit, 1) : QString());

    StcAdvice->setText(QString::fromStdString(NextTransmissionClassAdvice(stc)));
    RwAdvice->setText(QString::fromStdString(NextSoundReductionAdvice(rw)));
    SelectSlot(model.Nodes.Current);
}

void RatingsPanel::SelectSlot(int slot)
{
    if (isHidden())
        return;
    const QSignalBlocker blocker(Table);
    if (slot < 0 || slot >= m_bandRows) {
        Table->clearSelection();
        return;
    }
    if (Table->currentRow() != slot || Table->selectedItems().isEmpty())
        Table->setCurrentCell(slot, 0);
}

void RatingsPanel::SetShown(bool shown)
{
    if (m_context.Settings)
        WritePanelShown(*m_context.Settings, kRatingsPanelName, shown);
    if (shown == isVisible())
        return;
    QMainWindow& window = *m_window;
    const bool normal = !(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const int strip = sizeHint().width();
    if (!shown) {
        hide();
        if (normal && !isFloating())
            window.resize(window.width() -
                              std::min(strip, std::max(window.width() - window.minimumWidth(), 0)),
                          window.height());
        return;
    }
    const QScreen* screen =
        window.windowHandle() ? window.windowHandle()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 4096, 4096);
    const QRect frame = window.frameGeometry();
    setFloating(false);
    if (normal && frame.width() + strip <= available.width()) {
        // The window grows by the strip so that the graph keeps its size, moving left where the
        // screen's right edge would cut it.
        window.resize(window.width() + strip, window.height());
        const int overhang = frame.x() + frame.width() + strip - (available.x() + available.width());
        if (overhang > 0)
            window.move(std::max(available.x(), frame.x() - overhang), frame.y());
    } else if (window.centralWidget()->width() - strip < kGraphMinimumWidth) {
        // Too narrow for both on this screen: the panel floats over the window, inside the screen.
        setFloating(true);
        const QSize size(std::min(strip, available.width()), std::min(window.height(), available.height()));
        setGeometry(QRect(available.topRight() - QPoint(size.width() - 1, 0), size));
    }
    show();
    Refresh();
}

void RatingsPanel::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit CloseRequested();
}

} // namespace velmora
