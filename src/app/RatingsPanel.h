#pragma once

#include "model/RatingCurve.h"

#include <QDockWidget>

class QAction;
class QMainWindow;
class QTabWidget;

namespace velmora {

struct AppContext;
class RatingList;
class RatingsBandTable;

/**
 * The ratings panel at the right of the main window: the ratings of the edited spectrum's data
 * type (for levels the weighted levels, NR, NC with SIL and the impact ratings, which fold away;
 * for attenuations STC, STC (E413), Rw with C and Ctr and the enlarged-range terms; for correction
 * factors a line saying they are not rated), each with its governing band and a toggle that draws
 * its reference curve on the graph; a table of every band's part in them; and what each rating's
 * next class needs. It reads the model's ratings value whenever the document announces a change,
 * and only while it shows; it rates nothing itself. It docks at the right of the main window or
 * floats.
 */
class RatingsPanel : public QDockWidget
{
    Q_OBJECT

public:
    /** The graph keeps at least this width beside the docked panel. */
    static constexpr int kGraphMinimumWidth = 300;

    /** Hidden until shown; window is the main window it docks in. */
    RatingsPanel(AppContext& context, QMainWindow& window);

    /**
     * Shows or hides the panel and keeps the choice in the settings. Showing it never puts any part
     * of the window off its screen: the window widens by the panel when the screen has room (moving
     * left where its edge would cut it), else the graph narrows to make room, down to
     * kGraphMinimumWidth, and below that the panel floats on the screen beside the window.
     */
    void SetShown(bool shown);

    /**
     * Re-reads the model's ratings into the panel; nothing while the panel, or its ratings page
     * behind another tab, is hidden (the page refreshes as it comes to the front).
     */
    void Refresh();
    /** Selects the row of slot (none for an index that is no band of the table); only while shown. */
    void SelectSlot(int slot);
    /** The width the panel asks for beside the graph. */
    QSize sizeHint() const override;
    /** Adds a page beside the ratings ("Compare"), each under a tab of its own. */
    void AddPage(QWidget* page, const QString& title);
    /** Shows the panel (through its action) at a page AddPage added. */
    void ShowPage(QWidget* page);

    /** "&Ratings Panel" with F2: checked while the panel shows; the window shows and hides it. */
    QAction* ToggleAction() const { return m_toggle; }

    RatingList* List = nullptr;
    RatingsBandTable* Table = nullptr;

signals:
    /** The user chose the row of slot in the table. */
    void SlotSelected(int slot);
    /** The user turned a rating's curve on (curve) or off (None) in the list. */
    void CurveChosen(RatingCurve curve);
    /** The panel's own close button was pressed; whoever shows the panel hides it. */
    void CloseRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    /** The panel shows with its ratings page (the first tab) at the front. */
    bool RatingsShown() const;
    /** The impact ratings were folded or unfolded: their columns follow, and the settings keep it. */
    void ImpactFolded(bool folded);

    AppContext& m_context;
    QMainWindow* m_window;
    QAction* m_toggle = nullptr;
    QTabWidget* m_pages = nullptr;
    int m_stripWidth = 0;
};

} // namespace velmora
