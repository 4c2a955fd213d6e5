#include "app/DocumentFiles.h"

#include "app/FileDropFilter.h"
#include "app/RecoveryFile.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "edit/DataFileReading.h"
#include "edit/SpectrumEdits.h"
#include "io/DataFile.h"
#include "io/FileContents.h"
#include "io/RecentFiles.h"
#include "io/TabularLevels.h"
#include "platform/LocalPath.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

namespace velmora {

namespace {

/** A data-file dialog: "Velmora Data Files" shown, matching both cases of the extension. */
void SetUpDataDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode)
{
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QStringLiteral("Velmora Data Files (*.snd *.SND)"));
    dialog.setDefaultSuffix(QStringLiteral("snd"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
}

} // namespace

QString QuotedFileName(const std::string& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(PathFromLocal(path)));
}

DocumentFiles::DocumentFiles(QMainWindow& window, AppContext& context, SpectrumDocument& document)
    : QObject(&window), m_window(window), m_context(context), m_document(document)
{
    m_recentMenu = new QMenu(QStringLiteral("Open &Recent"), &window);
    m_recentMenu->setObjectName(QStringLiteral("RecentMenu"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &DocumentFiles::UpdateRecentMenu);
    UpdateRecentMenu();

    m_dropFilter = new FileDropFilter(this);
    window.installEventFilter(m_dropFilter);
    window.setAcceptDrops(true);
    connect(m_dropFilter, &FileDropFilter::FileDropped, this,
            [this](const QByteArray& path) { OpenFileAsked(path.toStdString()); });

    m_recovery = new RecoveryFile([this] { return DataFileText(m_context.Model); }, this);
    connect(&document, &SpectrumDocument::Changed, this, [this] {
        m_recovery->SetModified(m_document.IsModified());
        m_recovery->MarkChanged();
    });
    connect(&document, &SpectrumDocument::StatusChanged, this, [this] {
        m_recovery->SetModified(m_document.IsModified());
        // The kept work names its file, so that the question after a crash can say which it was.
        m_recovery->SetDocumentPath(PathFromLocal(m_document.FilePath()));
        UpdateCaption();
    });
    connect(m_recovery, &RecoveryFile::Unavailable, this, [this](const QString& reason) {
        // Said without waiting for an answer: it may come in the middle of a drag.
        auto* box =
            new QMessageBox(QMessageBox::Warning, QStringLiteral("Velmora: Recovery Off"),
                            QStringLiteral("Unsaved work cannot be kept for recovery after a crash: %1.\n"
                                           "Velmora works on; save your work as you go.")
                                .arg(reason),
                            QMessageBox::Ok, &m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    UpdateCaption();
}

DocumentFiles::~DocumentFiles() = default;

std::string DocumentFiles::RunFileDialog(FileDialog kind)
{
    // Made for each use and gone after it: a hidden dialog's own keys (Ctrl+Up for the parent
    // folder) would otherwise be taken from the graph.
    static const char* const kTitles[] = {"Open Velmora Data...", "Save Velmora Data...", "Import Levels..."};
    QFileDialog dialog(&m_window, QString::fromUtf8(kTitles[kind]));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == ImportDialog) {
        dialog.setNameFilters(
            {QStringLiteral("Tables of levels (*.csv *.txt *.CSV *.TXT)"), QStringLiteral("All files (*)")});
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        SetUpDataDialog(dialog, kind == OpenDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        StartInLastFolder(dialog);
    }
    // Each dialog remembers its own last file name.
    if (!m_lastChoice[kind].isEmpty())
        dialog.selectFile(m_lastChoice[kind]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_lastChoice[kind] = dialog.selectedFiles().constFirst();
    return LocalPath(m_lastChoice[kind]);
}

void DocumentFiles::ShowFailure(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: ") + title, text, QMessageBox::Ok,
                    &m_window);
    box.exec();
}

void DocumentFiles::UpdateCaption()
{
    const std::string& file = m_document.FilePath();
    m_window.setWindowTitle(file.empty() ? QStringLiteral("Velmora[*]")
                                         : m_document.DisplayName() + QStringLiteral("[*] - Velmora"));
    m_window.setWindowModified(m_document.IsModified());
}

void DocumentFiles::OpenButtonClick()
{
    if (!MaybeSaveChanges())
        return;
    if (const std::string path = RunFileDialog(OpenDialog); !path.empty())
        OpenDataFile(path);
}

bool DocumentFiles::ReadDataFile(const std::string& path, std::string* reason)
{
    if (!velmora::ReadDataFile(m_context.Model, m_context.Surface, path, reason))
        return false;
    m_document.StartFile(path);
    RememberFile(path);
    return true;
}

bool DocumentFiles::OpenDataFile(const std::string& path)
{
    std::string reason;
    if (ReadDataFile(path, &reason))
        return true;
    ShowFailure(
        QStringLiteral("Open Failed"),
        QStringLiteral("Could not read %1: %2.").arg(QuotedFileName(path), QString::fromStdString(reason)));
    return false;
}

void DocumentFiles::SaveButtonClick()
{
    RunSaveDialog();
}

bool DocumentFiles::RunSaveDialog()
{
    const std::string path = RunFileDialog(SaveDialog);
    return !path.empty() && SaveDataFile(path);
}

bool DocumentFiles::SaveDataFile(const std::string& path)
{
    std::string reason;
    if (WriteDataFile(m_context.Model, path, &reason)) {
        m_document.MarkSaved(path);
        RememberFile(path);
        return true;
    }
    ShowFailure(QStringLiteral("Save Failed"),
                QStringLiteral("Could not save %1: %2.\nThe spectrum is not saved; any earlier file of that "
                               "name is unchanged.")
                    .arg(QuotedFileName(path), QString::fromStdString(reason)));
    return false;
}

bool DocumentFiles::SaveDocument()
{
    const std::string file = m_document.FilePath();
    return file.empty() ? RunSaveDialog() : SaveDataFile(file);
}

bool DocumentFiles::MaybeSaveChanges()
{
    if (!m_document.IsModified())
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: Unsaved Changes"),
                    QStringLiteral("Save changes to %1?").arg(m_document.DisplayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveDocument();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void DocumentFiles::OpenFileAsked(const std::string& path)
{
    if (!MaybeSaveChanges())
        return;
    // A table of levels from a spreadsheet or a meter is imported; anything else is a data file.
    const QString name = PathFromLocal(path);
    if (name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
        name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        ImportLevelsFile(path);
    else
        OpenDataFile(path);
}

void DocumentFiles::StartInLastFolder(QFileDialog& dialog)
{
    const std::optional<std::string> folder = m_context.Settings->Query(kRecentFolderName);
    if (folder && folder->size() <= kMaxRecentPathBytes) {
        const QString path = PathFromLocal(*folder);
        if (QFileInfo(path).isDir())
            dialog.setDirectory(path);
    }
}

void DocumentFiles::RememberFile(const std::string& path)
{
    // The absolute form of the name's own bytes: a relative name gets the working folder before it.
    const std::string absolute = path.starts_with('/') ? path : LocalPath(QDir::currentPath()) + "/" + path;
    RememberRecentFile(*m_context.Settings, absolute);
    const std::size_t slash = absolute.rfind('/');
    m_context.Settings->Set(kRecentFolderName, slash == 0 ? "/" : absolute.substr(0, slash));
    UpdateRecentMenu();
}

void DocumentFiles::UpdateRecentMenu()
{
    m_recentMenu->clear();
    const std::vector<std::string> files = ReadRecentFiles(*m_context.Settings);
    int number = 1;
    for (const std::string& file : files) {
        // A single-digit access key; '&' in a name is shown, not taken as one.
        QString caption = QDir::toNativeSeparators(PathFromLocal(file));
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(caption));
        // A file that went away stays listed, greyed, until newer files push it out.
        item->setEnabled(IsRegularFile(file));
        connect(item, &QAction::triggered, this, [this, file] { OpenFileAsked(file); });
    }
    if (files.empty())
        m_recentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

void DocumentFiles::PasteLevelsClick()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) {
        ShowFailure(QStringLiteral("Paste Failed"),
                    QStringLiteral("The clipboard holds no text to read levels from."));
        return;
    }
    // Each UTF-16 unit is at least one byte of UTF-8, so the cut text is still over the reader's
    // limit when the whole is, and a huge clipboard is refused without a copy of all of it.
    const std::string text = data->text().left(static_cast<qsizetype>(kMaxTabularBytes) + 1).toStdString();
    ReadLevels(text, QStringLiteral("Paste Levels"), QStringLiteral("Paste Failed"),
               QStringLiteral("The clipboard's text"));
}

void DocumentFiles::ImportFromLibrary1Click()
{
    if (!MaybeSaveChanges())
        return;
    if (const std::string path = RunFileDialog(ImportDialog); !path.empty())
        ImportLevelsFile(path);
}

bool DocumentFiles::ImportLevelsFile(const std::string& path)
{
    std::string text;
    std::string reason;
    // A file over the table reader's limit is refused here, in the same words the reader uses.
    if (!ReadFileContents(path, kMaxTabularBytes, text, &reason)) {
        ShowFailure(QStringLiteral("Import Failed"),
                    QStringLiteral("Could not read %1: %2.")
                        .arg(QuotedFileName(path), QString::fromStdString(reason)));
        return false;
    }
    return ReadLevels(text, QStringLiteral("Import Levels"), QStringLiteral("Import Failed"),
                      QuotedFileName(path));
}

bool DocumentFiles::ReadLevels(const std::string& text, const QString& what, const QString& failure,
                               const QString& source)
{
    TabularLevels levels;
    TabularError error;
    if (!ReadTabularLevels(text, levels, error)) {
        ShowFailure(failure, QStringLiteral("%1 was not read; the spectrum is unchanged.\n%2")
                                 .arg(source, QString::fromStdString(error.message)));
        return false;
    }
    // A band-set switch and the levels are one step: one undo takes both back.
    std::unique_ptr<EditCommand> edit = MakeLevelsEdit(m_context.Model, levels, what.toStdString());
    if (!edit)
        return false;
    m_document.Perform(std::move(edit));
    return true;
}

void DocumentFiles::OfferRecovery()
{
    // Each window that did not close properly left its own work; this one takes at most one.
    std::vector<RecoveryLeftover> left = m_recovery->TakeLeftovers();
    for (std::size_t k = 0; k < left.size(); ++k) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Velmora: Recover Work"),
                        RecoveryFile::Question(left[k], k + 1, left.size()), QMessageBox::NoButton,
                        &m_window);
        QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
        QAbstractButton* discard = box.addButton(QMessageBox::Discard);
        box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == discard)
            m_recovery->Discard(left[k]);
        if (box.clickedButton() != restore)
            continue;
        ReadDataText(m_context.Model, m_context.Surface, left[k].Text);
        m_document.MarkRecovered();
        m_recovery->Restored(left[k]);
        return;
    }
}

void DocumentFiles::Close()
{
    m_recovery->Remove();
}

} // namespace velmora
