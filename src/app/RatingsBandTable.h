#pragma once

#include "model/Bands.h"
#include "model/RatingCurve.h"

#include <QTableWidget>

#include <array>
#include <cstdint>
#include <iterator>
#include <optional>

namespace velmora {

struct SpectrumRatings;

/**
 * The ratings panel's table of every band's part in the ratings of one family: a row per band of
 * the set, then the sums and their limits. For levels the weighted levels, NR, NC and (unless the
 * impact ratings are folded away) the Ln,w deviations and IIC deficiencies; for attenuations the
 * STC contour and deficiencies, the STC (E413) deficiencies and the Rw reference and deviations;
 * for a data type that is not rated only the bands and their levels. In each rating's column the
 * band that governs it is marked (bold on yellow), in the STC column also every band the next
 * class's per-band limit catches. A refresh rewrites only the cells whose value changed.
 */
class RatingsBandTable : public QTableWidget
{
    Q_OBJECT

public:
    /** Columns, left to right; each family shows some of them. */
    enum Column {
        FrequencyColumn,
        LevelColumn,
        AColumn,
        BColumn,
        CColumn,
        DColumn,
        NoiseColumn,
        NcColumn,
        ImpactColumn,
        IicColumn,
        ContourColumn,
        DeficiencyColumn,
        AstmColumn,
        ReferenceColumn,
        DeviationColumn,
        ColumnCount
    };

    explicit RatingsBandTable(QWidget* parent);

    /**
     * Shows the columns of family (none: the bands and levels only), the impact columns only when
     * impactShown. The table keeps its width; the columns share it.
     */
    void ShowColumns(std::optional<RatingFamily> family, bool impactShown);
    /** Reads the ratings' band values into the columns shown; as many band rows as the ratings have bands. */
    void Refresh(const SpectrumRatings& ratings);
    /** Band rows the table holds now; the sum and limit rows follow them. */
    int BandRows() const { return m_bandRows; }

signals:
    /** The user chose the row of slot. */
    void SlotSelected(int slot);

private:
    /** How a cell writes its value. */
    enum class Format : std::uint8_t { Blank, Tenths, Whole, NoiseCriterion, BelowLimit };
    /** What a cell shows, kept so that an unchanged value costs a comparison, not a text. */
    struct Shown {
        /** The value's bits: NaN equals NaN here. */
        std::uint64_t value = 0;
        Format format = Format::Blank;
        bool marked = false;
        bool set = false;
        bool operator==(const Shown&) const = default;
    };

    void SetRows(int bandRows);
    void SetCell(int row, int column, double value, Format format, bool marked = false);
    void RefreshBand(const SpectrumRatings& ratings, int k);
    void RefreshSums(const SpectrumRatings& ratings);

    std::array<bool, ColumnCount> m_shown{};
    /** The band governing each rating with a curve, by RatingCurve; read once per refresh. */
    std::array<int, std::size(kRatingCurves) + 1> m_governing{};
    int m_bandRows = -1;
    /** Band rows and the two sum rows of the largest set. */
    std::array<std::array<Shown, ColumnCount>, kBandCount + 2> m_cells{};
};

} // namespace velmora
