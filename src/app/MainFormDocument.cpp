#include "app/MainForm.h"

#include "app/FileDropFilter.h"
#include "app/RadioGroup.h"
#include "app/RecoveryFile.h"
#include "app/SpectrumDocument.h"
#include "dialogs/NodesForm.h"
#include "edit/AppContext.h"
#include "edit/DataFileReading.h"
#include "io/DataFile.h"
#include "io/RecentFiles.h"
#include "model/SpectrumModel.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

// The main window's document side: undo and redo, the caption, the unsaved-changes question,
// saving to the same file, recent files, dropped files and crash recovery.

namespace velmora {

void TMainForm::BuildDocument()
{
    m_document = new SpectrumDocument(m_context.Model, m_context.Surface, this, this);
    QUndoStack& stack = m_document->UndoStack();
    // An undone or redone band-set switch takes its check mark with it.
    connect(&stack, &QUndoStack::indexChanged, this, &TMainForm::CheckBandSet);

    UndoAction = stack.createUndoAction(this, QStringLiteral("Undo"));
    UndoAction->setShortcut(QKeySequence::Undo);
    RedoAction = stack.createRedoAction(this, QStringLiteral("Redo"));
    RedoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The window's own actions, so that their keys work with the menu closed.
    addAction(UndoAction);
    addAction(RedoAction);
    QAction* first = PtsMenu->actions().value(0);
    PtsMenu->insertAction(first, UndoAction);
    PtsMenu->insertAction(first, RedoAction);
    PtsMenu->insertSeparator(first);

    connect(m_document, &SpectrumDocument::StatusChanged, this, &TMainForm::UpdateCaption);
    // An undo may bring back the other band set; its menu item shows which is in force.
    connect(m_document, &SpectrumDocument::Restored, this, [this] {
        m_highlightItems->Check(BandSetOf(m_context.Model) == BandSet::Third ? ThirdOctaveBands
                                                                             : FullOctaveBands);
    });
    connect(NodesForm, &TNodesForm::LevelApplied, this, [this] { m_document->Commit(LevelStepText()); });
    connect(NodesForm, &TNodesForm::DataTypeChosen, this,
            [this] { m_document->Commit(QStringLiteral("Data Type")); });

    // The Open button's arrow lists the recent files; a click on the button still opens the dialog.
    RecentMenu = new QMenu(QStringLiteral("Recent Files"), this);
    OpenButton->setMenu(RecentMenu);
    OpenButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(RecentMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateRecentMenu);
    UpdateRecentMenu();

    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this), &QShortcut::activated, this,
            &TMainForm::SaveButtonClick);

    m_dropFilter = new FileDropFilter(this);
    installEventFilter(m_dropFilter);
    setAcceptDrops(true);
    connect(m_dropFilter, &FileDropFilter::FileDropped, this, &TMainForm::OpenFileAsked);

    m_recovery = new RecoveryFile([this] { return DataFileText(m_context.Model); }, this);
    connect(m_document, &SpectrumDocument::Edited, this, [this] {
        m_recovery->SetModified(m_document->IsModified());
        m_recovery->MarkChanged();
    });
    connect(m_document, &SpectrumDocument::StatusChanged, this,
            [this] { m_recovery->SetModified(m_document->IsModified()); });
    connect(m_recovery, &RecoveryFile::Unavailable, this, [this](const QString& reason) {
        // Said without waiting for an answer: it may come in the middle of a drag.
        auto* box =
            new QMessageBox(QMessageBox::Warning, QStringLiteral("Velmora: Recovery Off"),
                            QStringLiteral("Unsaved work cannot be kept for recovery after a crash: %1.\n"
                                           "Velmora works on; save your work as you go.")
                                .arg(reason),
                            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    UpdateCaption();
}

void TMainForm::UpdateCaption()
{
    const QString file = m_document->FilePath();
    setWindowTitle(file.isEmpty() ? QStringLiteral("Velmora[*]")
                                  : QFileInfo(file).fileName() + QStringLiteral("[*] - Velmora"));
    setWindowModified(m_document->IsModified());
}

QString TMainForm::LevelStepText() const
{
    const TSpectrumModel& model = m_context.Model;
    if (!ValidNode(model, model.Nodes.Current))
        return QStringLiteral("Level");
    const int band = BandIndexOfSlot(model, model.Nodes.Current);
    const float frequency = band >= 0 && band < kBandSlots ? BandFrequency[band] : 0.0f;
    return QStringLiteral("Level of %1Hz").arg(static_cast<double>(frequency));
}

bool TMainForm::SaveDocument()
{
    const QString file = m_document->FilePath();
    return file.isEmpty() ? RunSaveDialog() : SaveDataFile(file);
}

bool TMainForm::MaybeSaveChanges()
{
    if (!m_document->IsModified())
        return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: Unsaved Changes"),
                    QStringLiteral("Save changes to %1?").arg(m_document->DisplayName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
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

void TMainForm::OpenFileAsked(const QString& path)
{
    if (!MaybeSaveChanges())
        return;
    // A table of levels from a spreadsheet or a meter is imported; anything else is a data file.
    if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ||
        path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        ImportLevelsFile(path);
    else
        OpenDataFile(path);
}

void TMainForm::StartInLastFolder(QFileDialog* dialog)
{
    const std::optional<std::string> folder = m_context.Settings->Query(kRecentFolderName);
    if (folder && folder->size() <= kMaxRecentPathBytes) {
        const QString path = QString::fromStdString(*folder);
        if (QFileInfo(path).isDir())
            dialog->setDirectory(path);
    }
}

void TMainForm::RememberFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RememberRecentFile(*m_context.Settings, absolute.toStdString());
    m_context.Settings->Set(kRecentFolderName, QFileInfo(absolute).absolutePath().toStdString());
    UpdateRecentMenu();
}

void TMainForm::UpdateRecentMenu()
{
    RecentMenu->clear();
    const std::vector<std::string> files = ReadRecentFiles(*m_context.Settings);
    int number = 1;
    for (const std::string& file : files) {
        const QString path = QString::fromStdString(file);
        // A single-digit access key; '&' in a name is shown, not taken as one.
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = RecentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(caption));
        // A file that went away stays listed, greyed, until newer files push it out.
        item->setEnabled(QFileInfo(path).isFile());
        connect(item, &QAction::triggered, this, [this, path] { OpenFileAsked(path); });
    }
    if (files.empty())
        RecentMenu->addAction(QStringLiteral("No recent files"))->setEnabled(false);
}

void TMainForm::OfferRecovery()
{
    // Each window that did not close properly left its own work; this one takes at most one.
    std::vector<RecoveryLeftover> left = m_recovery->TakeLeftovers();
    for (std::size_t k = 0; k < left.size(); ++k) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Velmora: Recover Work"),
                        RecoveryFile::Question(left[k], k + 1, left.size()), QMessageBox::NoButton, this);
        QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
        QAbstractButton* discard = box.addButton(QMessageBox::Discard);
        box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == discard)
            m_recovery->Discard(left[k]);
        if (box.clickedButton() != restore)
            continue;
        ReadDataText(m_context.Model, m_context.Surface, this, left[k].Text);
        m_highlightItems->Check(BandSetOf(m_context.Model) == BandSet::Third ? ThirdOctaveBands
                                                                             : FullOctaveBands);
        Redraw();
        m_document->MarkRecovered();
        m_recovery->Restored(left[k]);
        return;
    }
}

} // namespace velmora
