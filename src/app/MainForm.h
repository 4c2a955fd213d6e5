#pragma once

#include "io/WindowSizeSetting.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

namespace velmora {

struct AppContext;
class CanvasWidget;
class ComparisonFiles;
class CompareView;
class DocumentFiles;
class GraphExport;
class GraphInput;
class HelpWindow;
class ImageCanvas;
class MainActions;
class RatingsPanel;
class RecoveryFile;
class ReportExport;
class SpectrumDocument;
class TAboutBox;
class TGraphForm;
class TNodesForm;
class WindowLayout;

/**
 * The main window: a menu bar with every command, the toolbar strip, the graph with the button bar,
 * status line and result line under it, and the ratings panel as a dock. It lays itself out on
 * every resize, keeps its outer size between runs, and refreshes its text lines, panel and graph
 * whenever the document announces a change.
 *
 * The work is split into parts with one job each, all owned here: the actions and menus
 * (MainActions), the pointer and keys on the graph (GraphInput), the document's files, recovery
 * and drops (DocumentFiles) the graph's way out (GraphExport) and the report (ReportExport). Every widget and
 * action carries the object name the program's definition gives it ("OpenButton", "dBAWeighting1").
 */
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    /** Builds the window, reads its size setting, sets up the graph with all levels at 0 and draws it. */
    explicit TMainForm(AppContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    /**
     * Interprets the command line: "-graph" min max increment, "-8va", "-third" (any case);
     * any other word is a data file to read (one that cannot be read is skipped silently), and
     * every word after "-compare" a file for the comparison set. Text shorter than 3 characters is
     * ignored.
     */
    void ProcessCommandLine(const std::string& text);
    /**
     * The program's arguments, read as ProcessCommandLine reads their text, except that an
     * argument naming an existing file is one word even when the name holds spaces. Arguments are
     * file names as the system gave them, in its local 8-bit encoding.
     */
    void ProcessArguments(const std::vector<std::string>& arguments);

    /** The smallest client area that keeps the toolbar whole and leaves the graph room for its labels. */
    static constexpr QSize kMinimumClientSize{447, 280};

    SpectrumDocument& Document() { return *m_document; }
    DocumentFiles& Files() { return *m_files; }
    MainActions& Actions() { return *m_actions; }
    GraphInput& Input() { return *m_input; }
    GraphExport& Export() { return *m_export; }
    ComparisonFiles& Comparison() { return *m_comparison; }
    ReportExport& Report() { return *m_report; }
    RecoveryFile& Recovery();
    /** The bitmap the graph is drawn into and its canvas. */
    ImageCanvas& GraphImage() { return *m_graphImage; }
    /** The control that shows the graph. */
    CanvasWidget& GraphControl() { return *m_graphCanvas; }

    /** Brings the whole graph up to date and repaints it. */
    void Redraw();
    /** At start-up: offers the work a run that did not end cleanly left behind. */
    void OfferRecovery();

    void LogoButtonClick();
    /** Pops up the settings menu under the settings button. */
    void SettingsButtonClick();
    void HelpButtonClick();
    void ZoomInButtonClick();
    void FitButtonClick();
    void ZoomOutButtonClick();
    /** Opens the Graph Extents dialog over the window. */
    void SetupButtonClick();
    /** Opens the Edit Node dialog over the window at the current node. */
    void HandleEditNodes();

protected:
    /** The central area's resizes lay the graph and the lines under it out. */
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void BuildDialogs();
    void ConnectParts();
    void HandleResize();
    void HandleClose();
    void ProcessWords(const std::vector<std::string>& words);
    /** The document announced a change: both text lines, the panel and the graph follow. */
    void ShowChange();
    /** Another node became current: the status line and the panel's row follow. */
    void ShowCurrent();
    void SetStatusText(const QString& text);
    void SetResultText(const QString& text);
    /** Sets the outer (frame) size, as far as the window system has told its frame. */
    void SetOuterSize(WindowSize size);
    WindowSize OuterSize() const;

    AppContext& m_context;
    std::unique_ptr<ImageCanvas> m_graphImage;
    SpectrumDocument* m_document = nullptr;
    MainActions* m_actions = nullptr;
    GraphInput* m_input = nullptr;
    DocumentFiles* m_files = nullptr;
    GraphExport* m_export = nullptr;
    ReportExport* m_report = nullptr;
    RatingsPanel* m_ratings = nullptr;
    ComparisonFiles* m_comparison = nullptr;
    CompareView* m_compareView = nullptr;

    WindowLayout* m_layout = nullptr;
    CanvasWidget* m_graphCanvas = nullptr;

    TAboutBox* m_aboutBox = nullptr;
    TNodesForm* m_nodesForm = nullptr;
    TGraphForm* m_graphForm = nullptr;
    HelpWindow* m_help = nullptr;

    WindowSize m_requestedOuterSize{kDefaultWindowWidth, kDefaultWindowHeight};
    bool m_frameAdjusted = false;
    bool m_watchingScreen = false;
};

} // namespace velmora
