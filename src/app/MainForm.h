#pragma once

#include "io/WindowSizeSetting.h"
#include "model/ResultView.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QFileDialog;
class QFrame;
class QPaintDevice;
class QLabel;
class QMenu;
class QToolButton;

namespace velmora {

struct AppContext;
class CanvasWidget;
class ImageCanvas;
class HelpWindow;
class FileDropFilter;
class RadioGroup;
class RatingsPanel;
class RecoveryFile;
class SpectrumDocument;
class TAboutBox;
class TGraphForm;
class TNodesForm;
struct TabularLevels;

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
     * any other word is a data file to read (one that cannot be read is skipped silently).
     * Text shorter than 3 characters is ignored.
     */
    void ProcessCommandLine(const std::string& text);
    /**
     * The program's arguments, read as ProcessCommandLine reads their text, except that an
     * argument naming an existing file is one word even when the name holds spaces.
     */
    void ProcessArguments(const std::vector<std::string>& arguments);

    /**
     * Reads a data file into the model and shows it: band check mark, graph and panels. False,
     * and nothing changed, when the file cannot be read; reason, when given, then says why.
     */
    bool ReadDataFile(const std::string& path, std::string* reason = nullptr);

    void SetStatusText(const std::string& text) override;
    void SetResultText(const std::string& text) override;

    /** The smallest client area that keeps the toolbar whole and leaves the graph room for its labels. */
    static constexpr QSize kMinimumClientSize{447, 280};

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

    QFileDialog* OpenDialog = nullptr;
    QFileDialog* SaveDialog = nullptr;
    QFileDialog* ImportDialog = nullptr;

    TAboutBox* AboutBox = nullptr;
    TNodesForm* NodesForm = nullptr;
    TGraphForm* GraphForm = nullptr;
    HelpWindow* Help = nullptr;
    /** The ratings panel at the right, hidden unless the user showed it. */
    RatingsPanel* Ratings = nullptr;

    QAction* SwapSpectra1 = nullptr;
    QAction* ImportFromLibrary1 = nullptr;
    QAction* dBAWeighting1 = nullptr;
    QAction* dBBWeighting1 = nullptr;
    QAction* dBCWeighting1 = nullptr;
    QAction* dBDWeighting1 = nullptr;
    QAction* Results1 = nullptr;
    QAction* SafeWorkingLevels1 = nullptr;
    QAction* SoundTransmissionClass1 = nullptr;
    QAction* NoiseRatingsLines1 = nullptr;
    QAction* ThirdOctaveBands = nullptr;
    QAction* FullOctaveBands = nullptr;
    QAction* ApplyResults1 = nullptr;
    QAction* ResettoZero1 = nullptr;
    QAction* EditNodes1 = nullptr;
    QAction* EditGraph1 = nullptr;

    QAction* EditNodes = nullptr;
    QAction* SwapSpectraB = nullptr;
    QAction* DataType1 = nullptr;
    QAction* DataType2 = nullptr;
    QAction* DataType3 = nullptr;
    QAction* DataType4 = nullptr;
    QAction* ApplyResults2 = nullptr;
    QAction* PasteLevels1 = nullptr;

    /** Undo and redo, named after the step they take back or do again; at the top of the node menu. */
    QAction* UndoAction = nullptr;
    QAction* RedoAction = nullptr;
    /** The recently opened or saved files, in the settings menu. */
    QMenu* RecentMenu = nullptr;

    /** The spectrum as a document: its undo history, its file and whether it was changed. */
    SpectrumDocument& Document() { return *m_document; }
    /** The copy of unsaved work kept for a crash. */
    RecoveryFile& Recovery() { return *m_recovery; }

    /** Saves to the document's file without a dialog when it has one, else as SaveButtonClick. */
    bool SaveDocument();
    /**
     * With unsaved changes, asks "Save changes to NAME?": Save saves (through the Save dialog when
     * there is no file yet), Discard drops them. False when the user cancels or the save failed:
     * the caller then leaves everything as it was.
     */
    bool MaybeSaveChanges();
    /** Opens a file from the recent list or a drop, after the unsaved-changes question. */
    void OpenFileAsked(const QString& path);
    /** At start-up: offers the work a run that did not end cleanly left behind (Restore, Discard). */
    void OfferRecovery();

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

    void LogoButtonClick();
    /** Runs the open dialog and reads the chosen file. */
    void OpenButtonClick();
    /** Runs the save dialog and writes the chosen file. */
    void SaveButtonClick();
    /** Reads a file the user chose; one that cannot be read is reported in a message box. */
    bool OpenDataFile(const QString& path);
    /** Writes the model to a file the user chose; a failed write is reported and the old file kept. */
    bool SaveDataFile(const QString& path);
    /** Puts the graph on the clipboard as an SVG picture, with a PNG rendering of it. */
    void ClipBdButtonClick();
    /** Runs the print dialog and prints the window's image at its size on screen. */
    void PrintButtonClick();
    /** Draws the window's client area on a page at the top left, scaled by device over screen resolution. */
    void PrintForm(QPaintDevice& page);
    /** Pops up the highlight menu under the settings button. */
    void SettingsButtonClick();
    void HelpButtonClick();
    void ZoomInButtonClick();
    void FitButtonClick();
    void ZoomOutButtonClick();
    /** Opens the Graph Extents dialog over the window. */
    void SetupButtonClick();
    /** Opens the Edit Node dialog over the window at the current node. */
    void HandleEditNodes();

    /** A highlight item: its Tag turns the overlay on, or off when it is already on. */
    void DisplayHilight(QAction* item);
    void FullOctaveBandsClick();
    void ThirdOctaveBandsClick();
    void SwapSpectrums();
    void ApplyResults();
    /** Asks, then sets every node of the edited spectrum to 0 dB. */
    void ResettoZero1Click();
    void UpdatePopupMenu();
    /** Checks the band-set item of the set in use. */
    void CheckBandSet();
    void UpdateNodeMenu();
    void DataType1Click(QAction* item);

    /** Reads levels from the clipboard's text into the edited spectrum; a fault is shown, nothing changed. */
    void PasteLevelsClick();
    /** Runs the import dialog and reads the levels of the chosen .csv or .txt file. */
    void ImportFromLibrary1Click();
    /** Reads the levels of a table file into the edited spectrum; a fault is shown, nothing changed. */
    bool ImportLevelsFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /** A dropped .csv or .txt file is imported as levels. */

private:
    void BuildLayout();
    void BuildMenus();
    void BuildHighlightMenu();
    void BuildNodeMenu();
    void BuildDialogs();
    /** The document, its undo actions, recent files, file drops and crash recovery. */
    void BuildDocument();
    void UpdateCaption();
    void UpdateRecentMenu();
    /** Runs the save dialog and writes the chosen file; false when cancelled or failed. */
    bool RunSaveDialog();
    /** The folder the file dialogs last used is kept in the settings; this points a dialog at it. */
    void StartInLastFolder(QFileDialog* dialog);
    /** Remembers a file opened or saved: the recent list and the dialogs' folder. */
    void RememberFile(const QString& path);
    /** "Level of 500Hz" for the current node. */
    QString LevelStepText() const;
    void ConnectCommands();
    /** A message box owned by the window, caption "Velmora: " + title. */
    void ShowFailure(const QString& title, const QString& text);
    void HandleResize();
    void ProcessWords(const std::vector<std::string>& words);
    void HandleClose();
    /** Reads text as a table of levels and applies them; a fault goes into a message box titled failure. */
    bool ReadLevels(const std::string& text, const QString& what, const QString& failure,
                    const QString& source);
    /**
     * The one way read levels reach the spectrum (paste, import, drop): PasteLevels and the band
     * check mark. what names the change ("Paste Levels", "Import Levels").
     */
    bool ApplyLevels(const TabularLevels& levels, const QString& what);
    /** True for a key press that this window should preview: one aimed at it or its focus widget. */
    bool IsPreviewedKey(QObject* watched, QEvent* event) const;
    /** Sets the outer (frame) size, as far as the window system has told its frame. */
    void SetOuterSize(WindowSize size);
    WindowSize OuterSize() const;

    AppContext& m_context;
    std::unique_ptr<ImageCanvas> m_graphImage;
    std::unique_ptr<RadioGroup> m_highlightItems;
    std::unique_ptr<RadioGroup> m_bandItems;
    std::unique_ptr<RadioGroup> m_dataTypeItems;
    SpectrumDocument* m_document = nullptr;
    RecoveryFile* m_recovery = nullptr;
    FileDropFilter* m_dropFilter = nullptr;
    WindowSize m_requestedOuterSize{kDefaultWindowWidth, kDefaultWindowHeight};
    bool m_frameAdjusted = false;
    bool m_watchingScreen = false;
};

} // namespace velmora
