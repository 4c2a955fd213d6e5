#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMainWindow;
class QMenu;

namespace velmora {

struct AppContext;
class ComparisonFiles;
class DocumentFiles;
class GraphExport;
class RadioGroup;
class RatingCurveActions;
class ReportExport;
class SpectrumDocument;

/**
 * Every command of the main window as an action, and the menus that list them: the menu bar (File,
 * Edit, View, Compare, Ratings with the rating curves, Help), the settings menu under the settings
 * button (HighlightMenu) and the node menu on the graph (PtsMenu). Each action carries its shortcut and
 * the object name the program's definition gives it; within one menu no access key serves two items. The
 * commands on the spectra become edits of the document; the file and export commands go to their parts;
 * the window's own commands (dialogs, zoom, help) are connected by the window through Find.
 */
class MainActions : public QObject
{
    Q_OBJECT

public:
    MainActions(QMainWindow& window, AppContext& context, SpectrumDocument& document, DocumentFiles& files,
                GraphExport& output, ComparisonFiles& comparison, ReportExport& report,
                QAction* ratingsPanel);
    ~MainActions() override;

    /** The action named name ("dBAWeighting1", "ZoomIn"); null when there is none. */
    QAction* Find(const char* name) const;

    /** The settings menu, popped up under the settings button. */
    QMenu* HighlightMenu() const { return m_highlightMenu; }
    /** The node menu, popped up on the edited spectrum. */
    QMenu* NodeMenu() const { return m_nodeMenu; }
    /** The choice of the rating curve on the graph, listed in the Ratings menu. */
    RatingCurveActions& Curves() const { return *m_curves; }

    /** A highlight item: its Tag turns the overlay on, or off when it is already on. */
    void DisplayHilight(QAction* item);
    void FullOctaveBandsClick();
    void ThirdOctaveBandsClick();
    void SwapSpectrums();
    void ApplyResults();
    /** Asks, then sets every node of the edited spectrum to 0 dB. */
    void ResettoZero1Click();
    void DataType1Click(QAction* item);
    /** Puts every check mark and enabled state in line with the model: overlay, band set, data type. */
    void UpdatePopupMenu();
    void UpdateNodeMenu();

private:
    QAction* Add(const char* name, const char* caption, const char* hint = nullptr);
    void BuildFileMenu(QMenu* menu, DocumentFiles& files, GraphExport& output, ReportExport& report);
    void BuildEditMenu(QMenu* menu, GraphExport& output);
    void BuildViewMenu(QMenu* menu);
    void BuildCompareMenu(QMenu* menu, ComparisonFiles& comparison);
    /** The Compare menu's items enabled as far as the set lets them act. */
    void UpdateCompareMenu();
    void BuildHighlightMenu();
    void BuildNodeMenu();

    QMainWindow& m_window;
    AppContext& m_context;
    SpectrumDocument& m_document;
    std::unique_ptr<RadioGroup> m_highlightItems;
    std::unique_ptr<RadioGroup> m_bandItems;
    std::unique_ptr<RadioGroup> m_dataTypeItems;
    QMenu* m_highlightMenu = nullptr;
    QMenu* m_nodeMenu = nullptr;
    RatingCurveActions* m_curves = nullptr;
};

} // namespace velmora
