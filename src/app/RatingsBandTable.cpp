#include "app/RatingsBandTable.h"

#include "model/ComparisonTable.h"
#include "model/RatingLines.h"
#include "model/SpectrumRatings.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>

#include <bit>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

const QColor kMarkColour(255, 226, 140);

/** value as the Compare view writes its numbers: the same rule for "-" and for a hair below zero. */
QString Number(double value, int decimals)
{
    return QString::fromStdString(ComparisonNumber(value, decimals));
}

struct Heading {
    const char* text;
    const char* hint;
};
constexpr Heading kHeadings[RatingsBandTable::ColumnCount] = {
    {"Hz", "Band centre frequency"},
    {"dB", "The band's level"},
    {"A", "The level A-weighted"},
    {"B", "The level B-weighted"},
    {"C", "The level C-weighted"},
    {"D", "The level D-weighted"},
    {"NR", "The Noise Rating curve the band lies on; marked: the band that sets NR"},
    {"NC", "The NC curve the octave lies on (at the octave's centre; third octaves are summed into octaves); "
           "marked: the octave that sets NC"},
    {"Ln,w\ndev.",
     "How far the band lies above the impact reference curve moved to Ln,w; marked: the largest. "
     "Sum: at most the limit"},
    {"IIC\ndefic.",
     "How far the band, in whole dB, lies above the IIC contour; marked: the band that keeps the next "
     "class out. At most 8 dB in a band and the limit in total"},
    {"STC\ncont.", "The STC contour at the rating"},
    {"STC\ndefic.",
     "How far the band lies under the STC contour. Marked: a band that the next class would catch by "
     "the per-band limit, or the most deficient band"},
    {"E413\ndefic.",
     "How far the band, in whole dB, lies under the STC (E413) contour; marked: the band that keeps the "
     "next class out. At most 8 dB in a band and the limit in total"},
    {"Rw\nref.", "The Rw reference curve, moved to the rating"},
    {"Rw\ndev.", "The band's unfavourable deviation from the Rw reference curve; marked: the largest"},
};

/** The columns of a family, and those of the impact ratings, which fold away. */
constexpr RatingsBandTable::Column kLevelColumns[] = {
    RatingsBandTable::AColumn, RatingsBandTable::BColumn,     RatingsBandTable::CColumn,
    RatingsBandTable::DColumn, RatingsBandTable::NoiseColumn, RatingsBandTable::NcColumn};
constexpr RatingsBandTable::Column kImpactColumns[] = {RatingsBandTable::ImpactColumn,
                                                       RatingsBandTable::IicColumn};
constexpr RatingsBandTable::Column kAttenuationColumns[] = {
    RatingsBandTable::ContourColumn, RatingsBandTable::DeficiencyColumn, RatingsBandTable::AstmColumn,
    RatingsBandTable::ReferenceColumn, RatingsBandTable::DeviationColumn};

/** The most columns any family shows: the table is that wide whichever shows. */
constexpr int kWidestColumns = 2 + std::size(kLevelColumns) + std::size(kImpactColumns);

} // namespace

RatingsBandTable::RatingsBandTable(QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(QString::fromUtf8(kHeadings[column].text));
        item->setToolTip(QString::fromUtf8(kHeadings[column].hint));
        setHorizontalHeaderItem(column, item);
    }
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Keys stay with the graph: Up and Down step the current node, which the table follows.
    setFocusPolicy(Qt::NoFocus);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    const QFontMetrics metrics(font());
    const int rowHeight = metrics.height() + 4;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    // The bands' column keeps room for "10000"; the others share the rest of the width.
    const int columnWidth = metrics.horizontalAdvance(QStringLiteral("-888.8")) + 8;
    const int frequencyWidth = columnWidth + metrics.horizontalAdvance(QStringLiteral("0"));
    horizontalHeader()->setSectionResizeMode(FrequencyColumn, QHeaderView::Fixed);
    setColumnWidth(FrequencyColumn, frequencyWidth);
    setFixedWidth(frequencyWidth + (kWidestColumns - 1) * columnWidth +
                  verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
    ShowColumns(std::nullopt, false);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row < m_bandRows)
            emit SlotSelected(row);
    });
}

void RatingsBandTable::ShowColumns(std::optional<RatingFamily> family, bool impactShown)
{
    std::array<bool, ColumnCount> shown{};
    shown[FrequencyColumn] = shown[LevelColumn] = true;
    const auto show = [&shown](const auto& columns, bool on) {
        for (Column column : columns)
            shown[column] = on;
    };
    show(kLevelColumns, family == RatingFamily::Levels);
    show(kImpactColumns, family == RatingFamily::Levels && impactShown);
    show(kAttenuationColumns, family == RatingFamily::Attenuation);
    if (shown == m_shown)
        return;
    m_shown = shown;
    for (int column = 0; column < ColumnCount; ++column)
        setColumnHidden(column, !shown[column]);
}

void RatingsBandTable::SetRows(int bandRows)
{
    m_bandRows = bandRows;
    const QSignalBlocker blocker(this);
    setRowCount(bandRows + 2);
    for (auto& row : m_cells)
        row.fill(Shown{});
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < ColumnCount; ++column)
            if (QTableWidgetItem* cell = item(row, column))
                cell->setText(QString());
    const QString names[] = {QStringLiteral("Sum"), QStringLiteral("Limit")};
    for (int i = 0; i < 2; ++i) {
        auto* cell = new QTableWidgetItem(names[i]);
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(bandRows + i, FrequencyColumn, cell);
    }
}

void RatingsBandTable::SetCell(int row, int column, double value, Format format, bool marked)
{
    if (!m_shown[column] || row < 0 || row >= static_cast<int>(m_cells.size()))
        return;
    const Shown next{std::bit_cast<std::uint64_t>(value), format, marked, true};
    Shown& last = m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    // During a drag most cells keep their value; leaving them untouched keeps the update cheap.
    if (last == next)
        return;
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, column, cell);
    }
    QString text;
    switch (format) {
    case Format::Blank:
        break;
    case Format::Tenths:
        text = Number(value, 1);
        break;
    case Format::Whole:
        text = Number(value, 0);
        break;
    case Format::NoiseCriterion:
        // An octave outside the family of curves has no value, only a side.
        text = std::isinf(value) ? (value > 0.0 ? QStringLiteral(">70") : QStringLiteral("<15"))
                                 : Number(value, 1);
        break;
    case Format::BelowLimit:
        text = QStringLiteral("<") + Number(value, 1);
        break;
    }
    if (cell->text() != text)
        cell->setText(text);
    if (cell->font().bold() != marked) {
        QFont font = cell->font();
        font.setBold(marked);
        cell->setFont(font);
        cell->setBackground(marked ? QBrush(kMarkColour) : QBrush());
    }
    last = next;
}

void RatingsBandTable::Refresh(const SpectrumRatings& ratings)
{
    if (ratings.bandCount != m_bandRows)
        SetRows(ratings.bandCount);
    for (RatingCurve curve : kRatingCurves)
        m_governing[static_cast<std::size_t>(curve)] = GoverningBand(ratings, curve);
    for (int k = 0; k < ratings.bandCount; ++k)
        RefreshBand(ratings, k);
    RefreshSums(ratings);
}

void RatingsBandTable::RefreshBand(const SpectrumRatings& r, int k)
{
    const BandBreakdown& band = r.bands[k];
    SetCell(k, FrequencyColumn, BandFrequency[band.band], Format::Whole);
    SetCell(k, LevelColumn, band.level, Format::Tenths);
    for (int w = 0; w < 4; ++w)
        SetCell(k, AColumn + w, band.weighted[w], Format::Tenths);
    // A column a rating does not use in this band stays empty; a used band that is not finite shows "-".
    const auto used = [](double value) { return std::isnan(value) ? Format::Blank : Format::Tenths; };
    const auto usedWhole = [](double value) { return std::isnan(value) ? Format::Blank : Format::Whole; };
    const auto governs = [&](RatingCurve curve) {
        return band.band == m_governing[static_cast<std::size_t>(curve)];
    };
    SetCell(k, NoiseColumn, band.noiseRating, Format::Tenths, governs(RatingCurve::NR));

    // NC is read at the octave centres only; an octave outside the curves shows on which side.
    double nc = band.noiseCriterion;
    Format ncFormat = Format::Blank;
    const int octave = (band.band - kOctaveBandStart) / kOctaveBandStep;
    if ((band.band - kOctaveBandStart) % kOctaveBandStep == 0 && octave < r.nc.bandCount) {
        ncFormat = Format::NoiseCriterion;
        if (std::isnan(nc))
            nc = r.nc.bands[octave].aboveTop > 0.0 ? INFINITY : -INFINITY;
    }
    SetCell(k, NcColumn, nc, ncFormat, governs(RatingCurve::NC));
    SetCell(k, ImpactColumn, band.impactDeviation, used(band.impactDeviation), governs(RatingCurve::Lnw));
    SetCell(k, IicColumn, band.iicDeficiency, usedWhole(band.iicDeficiency), governs(RatingCurve::IIC));

    const Format stc = std::isnan(band.stcContour) ? Format::Blank : Format::Tenths;
    SetCell(k, ContourColumn, band.stcContour, stc);
    SetCell(k, DeficiencyColumn, band.stcDeficiency, stc,
            band.stcNextRise > 0.0 || governs(RatingCurve::STC));
    SetCell(k, AstmColumn, band.astmDeficiency, usedWhole(band.astmDeficiency),
            governs(RatingCurve::AstmSTC));
    const Format rw = std::isnan(band.rwReference) ? Format::Blank : Format::Tenths;
    SetCell(k, ReferenceColumn, band.rwReference, rw);
    SetCell(k, DeviationColumn, band.rwDeviation, rw, governs(RatingCurve::Rw));
}

void RatingsBandTable::RefreshSums(const SpectrumRatings& r)
{
    // The sums against their limits. Velmora's STC deficiencies must stay below theirs, the others may
    // meet it; a sum is marked when it is the total, not one band, that keeps the next class out.
    const int sum = m_bandRows;
    const int limit = m_bandRows + 1;
    const TransmissionClassRating& stc = r.transmission;
    const bool stcRated = stc.bandCount > 0;
    SetCell(sum, DeficiencyColumn, stc.deficiencySum, stcRated ? Format::Tenths : Format::Blank,
            stcRated && !(stc.nextDeficiencySum < stc.sumLimit));
    SetCell(limit, DeficiencyColumn, stc.sumLimit, stcRated ? Format::BelowLimit : Format::Blank);
    const auto astm = [&](int column, const AstmContourFit& fit) {
        const Format format = fit.bandCount > 0 ? Format::Whole : Format::Blank;
        SetCell(sum, column, fit.deficiencySum, format,
                fit.bandCount > 0 && fit.nextDeficiencySum > fit.sumLimit);
        SetCell(limit, column, fit.sumLimit, format);
    };
    astm(AstmColumn, r.astm);
    astm(IicColumn, r.iic);
    const auto deviations = [&](int column, int bandCount, double deviationSum, double most) {
        SetCell(sum, column, deviationSum, bandCount > 0 ? Format::Tenths : Format::Blank);
        SetCell(limit, column, most, std::isfinite(most) ? Format::Tenths : Format::Blank);
    };
    deviations(DeviationColumn, r.reduction.bandCount, r.reduction.deviationSum, r.reduction.limit);
    deviations(ImpactColumn, r.impact.bandCount, r.impact.deviationSum, r.impact.limit);
}

} // namespace velmora
