#pragma once

#include "io/WindowSizeSetting.h"
#include "model/ResultView.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;

namespace velmora {

struct AppContext;
class CanvasWidget;
class ImageCanvas;

/**
 * The main window: the toolbar strip, the graph and the two text lines under it. It attaches
 * the drawing surface to its graph bitmap, lays itself out on every resize and keeps its outer
 * size between runs.
 */
class TMainForm : public QWidget, public ResultView
{
    Q_OBJECT

public:
    /** Builds the window, reads its size setting, sets up the graph with all levels at 0 and draws it. */
    explicit TMainForm(AppContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    /**
     * Interprets the command line: "-graph" min max increment, "-8va", "-third" (any case);
     * any other word is a data file handed to DataFileReader. Text shorter than 3 characters
     * is ignored.
     */
    void ProcessCommandLine(const std::string& text);

    /** Reads a data file into the model; false when it cannot be read. */
    std::function<bool(const std::string& path)> DataFileReader;

    void SetStatusText(const std::string& text) override;
    void SetResultText(const std::string& text) override;

    /** The smallest client area that leaves the graph room for its labels. */
    static constexpr QSize kMinimumClientSize{300, 200};

    QFrame* MainPanel = nullptr;
    QToolButton* LogoButton = nullptr;
    QToolButton* OpenButton = nullptr;
    QToolButton* SaveButton = nullptr;
    QToolButton* ClipBdButton = nullptr;
    QToolButton* PrintButton = nullptr;
    QToolButton* SettingsButton = nullptr;
    QToolButton* HelpButton = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* StatusPanel = nullptr;
    QFrame* ButtonPanel = nullptr;
    QToolButton* ZoomInButton = nullptr;
    QToolButton* ZoomOutButton = nullptr;
    QToolButton* FitButton = nullptr;
    QToolButton* SetupButton = nullptr;
    QWidget* GraphPanel = nullptr;
    CanvasWidget* GraphCanvas = nullptr;
    QMenu* HighlightMenu = nullptr;
    QMenu* PtsMenu = nullptr;
    QLabel* ResultPanel = nullptr;

    QAction* FullOctaveBands = nullptr;
    QAction* ThirdOctaveBands = nullptr;

    QAction* SwapSpectraB = nullptr;
    QAction* DataType1 = nullptr;
    QAction* DataType2 = nullptr;
    QAction* DataType3 = nullptr;
    QAction* DataType4 = nullptr;
    QAction* ApplyResults2 = nullptr;

    /** The bitmap the graph is drawn into and its canvas. */
    ImageCanvas& GraphImage() { return *m_graphImage; }

    /** Pointer events on the graph, in pixels of the graph bitmap. */
    void HandleMouseDown(Qt::MouseButton button, int x, int y);
    void HandleMouseMove(int x, int y);
    void HandleMouseUp(Qt::MouseButton button, int x, int y);
    /** Every key pressed while the window is active comes here first; vk is a virtual-key code. */
    void HandleKeyDown(int vk, bool shift, bool ctrl);

    /** Brings the whole graph up to date and repaints it. */
    void Redraw();

    void SwapSpectrums();
    void ApplyResults();
    void UpdateNodeMenu();
    void DataType1Click(QAction* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void HandleResize();
    void HandleClose();
    /** True for a key press that this window should preview: one aimed at it or its focus widget. */
    bool IsPreviewedKey(QObject* watched, QEvent* event) const;
    /** Sets the outer (frame) size, as far as the window system has told its frame. */
    void SetOuterSize(WindowSize size);
    WindowSize OuterSize() const;

    AppContext& m_context;
    std::unique_ptr<ImageCanvas> m_graphImage;
    WindowSize m_requestedOuterSize{kDefaultWindowWidth, kDefaultWindowHeight};
    bool m_frameAdjusted = false;
};

} // namespace velmora
