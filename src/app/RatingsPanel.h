#pragma once

#include <QDockWidget>

#include <array>

class QAction;
class QMainWindow;
class QLabel;
class QTableWidget;
class QTabWidget;

namespace velmora {

struct AppContext;

/**
 * The ratings panel at the right of the main window: the single numbers (dBA to dBD, NR, STC and
 * Rw with C and Ctr), a table of every band's part in them and what the next STC and Rw class
 * need. It reads the model's ratings value whenever the document announces a change, and only
 * while it shows; it rates nothing itself. It docks at the right of the main window or floats.
 */
class RatingsPanel : public QDockWidget
{
    Q_OBJECT

public:
    /** Table columns, left to right. */
    enum Column {
        FrequencyColumn,
        LevelColumn,
        AColumn,
        BColumn,
        CColumn,
        DColumn,
        NoiseColumn,
        ContourColumn,
        DeficiencyColumn,
        ReferenceColumn,
        DeviationColumn,
        ColumnCount
    };
    /** The single numbers, in the order they show. */
    enum Number { DbaNumber, DbbNumber, DbcNumber, DbdNumber, NoiseNumber, StcNumber, RwNumber, NumberCount };

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

    /** Re-reads the model's ratings into the panel; nothing while the panel is hidden. */
    void Refresh();
    /** Selects the row of slot (none for an index that is no band of the table). */
    void SelectSlot(int slot);
    /** The width the panel asks for beside the graph. */
    QSize sizeHint() const override;
    /** Adds a page beside the ratings ("Compare"), each under a tab of its own. */
    void AddPage(QWidget* page, const QString& title);
    /** Shows the panel (through its action) at a page AddPage added. */
    void ShowPage(QWidget* page);

    /** "&Ratings Panel" with F2: checked while the panel shows; the window shows and hides it. */
    QAction* ToggleAction() const { return m_toggle; }

    QLabel* Numbers[NumberCount] = {};
    QTableWidget* Table = nullptr;
    QLabel* StcAdvice = nullptr;
    QLabel* RwAdvice = nullptr;

signals:
    /** The user chose the row of slot in the table. */
    void SlotSelected(int slot);
    /** The panel's own close button was pressed; whoever shows the panel hides it. */
    void CloseRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildTable();
    void SetCell(int row, int column, const QString& text, bool marked = false);

    AppContext& m_context;
    QMainWindow* m_window;
    QAction* m_toggle = nullptr;
    QTabWidget* m_pages = nullptr;
    /** Band rows the table holds now; the sum row follows them. */
    int m_bandRows = 0;
    int m_stripWidth = 0;
};

} // namespace velmora
