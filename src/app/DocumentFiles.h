#pragma once

#include <QObject>
#include <QString>

#include <string>

class QFileDialog;
class QMainWindow;
class QMenu;

namespace velmora {

struct AppContext;
class FileDropFilter;
class RecoveryFile;
class SpectrumDocument;
struct TabularLevels;

/** A file name as messages show it: quoted, with the system's separators; path is a local path. */
QString QuotedFileName(const std::string& path);

/**
 * The document's side of the main window: opening and saving data files (the dialogs, the
 * unsaved-changes question, saving to the same file), the recent files, files dropped on the
 * window, levels read from the clipboard or a table file, the caption, and the copy of unsaved work
 * kept for recovery after a crash. File names travel as the system gave them: a name that is not
 * valid UTF-8 opens and saves under its own bytes.
 */
class DocumentFiles : public QObject
{
    Q_OBJECT

public:
    DocumentFiles(QMainWindow& window, AppContext& context, SpectrumDocument& document);
    ~DocumentFiles() override;

    /** The recently opened or saved files; the Open button's arrow and the File menu show it. */
    QMenu* RecentMenu() const { return m_recentMenu; }
    RecoveryFile& Recovery() { return *m_recovery; }

    /** Runs the open dialog and reads the chosen file, after the unsaved-changes question. */
    void OpenButtonClick();
    /** Runs the save dialog and writes the chosen file. */
    void SaveButtonClick();
    /** Saves to the document's file without a dialog when it has one, else as SaveButtonClick. */
    bool SaveDocument();
    /**
     * With unsaved changes, asks "Save changes to NAME?": Save saves (through the Save dialog when
     * there is no file yet), Discard drops them. False when the user cancels or the save failed:
     * the caller then leaves everything as it was.
     */
    bool MaybeSaveChanges();

    /**
     * Reads a data file into the model and shows it; false, and nothing changed, when it cannot be
     * read. Paths here are local paths: the bytes of the name (see LocalPath).
     */
    bool ReadDataFile(const std::string& path, std::string* reason = nullptr);
    /** Reads a file the user chose; one that cannot be read is reported with the reason. */
    bool OpenDataFile(const std::string& path);
    /** Writes the model to a file the user chose; a failed write is reported and the old file kept. */
    bool SaveDataFile(const std::string& path);
    /** Opens a file from the recent list or a drop, after the unsaved-changes question. */
    void OpenFileAsked(const std::string& path);

    /** Reads levels from the clipboard's text into the edited spectrum; a fault is shown, nothing changed. */
    void PasteLevelsClick();
    /** Runs the import dialog and reads the levels of the chosen .csv or .txt file. */
    void ImportFromLibrary1Click();
    /** Reads the levels of a table file into the edited spectrum; a fault is shown, nothing changed. */
    bool ImportLevelsFile(const std::string& path);

    void UpdateRecentMenu();
    /** At start-up: offers the work a run that did not end cleanly left behind (Restore, Discard). */
    void OfferRecovery();
    /** The window closes for good: the kept copy of unsaved work goes. */
    void Close();

    /** Files dropped on the window arrive here. */
    FileDropFilter& DropFilter() { return *m_dropFilter; }
    /** The folder the file dialogs last used is kept in the settings; this points a dialog at it. */
    void StartInLastFolder(QFileDialog& dialog);

private:
    enum FileDialog { OpenDialog, SaveDialog, ImportDialog, FileDialogCount };
    /** Runs a file dialog; the local path of the file chosen, empty when cancelled. */
    std::string RunFileDialog(FileDialog kind);
    void UpdateCaption();
    /** Runs the save dialog and writes the chosen file; false when cancelled or failed. */
    bool RunSaveDialog();
    /** Remembers a file opened or saved: the recent list and the dialogs' folder. */
    void RememberFile(const std::string& path);
    /** A message box owned by the window, caption "Velmora: " + title. */
    void ShowFailure(const QString& title, const QString& text);
    /** Reads text as a table of levels and applies them; a fault goes into a message box titled failure. */
    bool ReadLevels(const std::string& text, const QString& what, const QString& failure,
                    const QString& source);

    QMainWindow& m_window;
    AppContext& m_context;
    SpectrumDocument& m_document;
    QMenu* m_recentMenu = nullptr;
    QString m_lastChoice[FileDialogCount];
    FileDropFilter* m_dropFilter = nullptr;
    RecoveryFile* m_recovery = nullptr;
};

} // namespace velmora
