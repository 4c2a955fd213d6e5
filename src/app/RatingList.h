#pragma once

#include "model/RatingLines.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QToolButton;
class QVBoxLayout;

namespace velmora {

/**
 * The ratings panel's list of single numbers: one row for each rating line of the family shown
 * (name, value, governing band and, for a rating with a reference curve, a "Curve" toggle that
 * draws it on the graph), the impact ratings under a header that folds them, and a box of next-class
 * lines that the panel places under its band table. For a data type that is not rated it says so.
 * Rewrites only the texts that changed.
 */
class RatingList : public QWidget
{
    Q_OBJECT

public:
    /** impactFolded: whether the impact ratings start folded. */
    RatingList(QWidget* parent, bool impactFolded);

    /** The next-class lines, one for each rating that has classes; the panel lays it out. */
    QWidget* AdviceBox() const { return m_adviceBox; }

    /**
     * Shows lines (empty for a data type that is not rated, which rated says) with the toggle of
     * the rating whose curve is shown on. Rows are rebuilt only when the ratings listed change.
     */
    void Show(const std::vector<RatingLine>& lines, RatingCurve shown, bool rated);

    bool ImpactFolded() const { return m_impactFolded; }
    /** Folds the impact ratings away, or unfolds them, and says so (ImpactFoldedChanged). */
    void SetImpactFolded(bool folded);

    /** The row of the rating named name ("NR", "Rw (C; Ctr)"); -1 when the list does not show it. */
    int RowOf(const std::string& name) const;
    /** Parts of a row: its value and governing band, its curve toggle and next-class line (null when none).
     */
    QLabel* Value(int row) const;
    QLabel* Band(int row) const;
    QAbstractButton* CurveToggle(int row) const;
    QLabel* Advice(int row) const;
    /** The header that folds the impact ratings; null while none are listed. */
    QAbstractButton* ImpactHeader() const;
    /** The line that says the data type is not rated. */
    QLabel* NotRated() const { return m_notRated; }

signals:
    /** The user turned a rating's curve on (curve) or off (None). */
    void CurveChosen(RatingCurve curve);
    void ImpactFoldedChanged(bool folded);

private:
    struct Row {
        RatingLine shown;
        QLabel* name = nullptr;
        QLabel* value = nullptr;
        QLabel* band = nullptr;
        QToolButton* toggle = nullptr;
        QLabel* advice = nullptr;

        /** The row's widgets, null where it has none. */
        std::array<QWidget*, 5> Parts() const;
    };

    void Rebuild(const std::vector<RatingLine>& lines);
    void ShowLine(Row& row, const RatingLine& line, RatingCurve shown);
    void ShowFold();

    QGridLayout* m_grid = nullptr;
    QWidget* m_adviceBox = nullptr;
    QVBoxLayout* m_adviceLayout = nullptr;
    QLabel* m_notRated = nullptr;
    QToolButton* m_impactHeader = nullptr;
    std::vector<Row> m_rows;
    bool m_impactFolded = false;
};

} // namespace velmora
