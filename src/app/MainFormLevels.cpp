#include "app/MainForm.h"

#include "app/RadioGroup.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "edit/LevelsPaste.h"
#include "io/FileContents.h"
#include "io/TabularLevels.h"
#include "model/SpectrumModel.h"
#include "platform/CanvasWidget.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

// Levels into the window from tabular text: the clipboard, an imported file, a dropped file.

namespace velmora {

void TMainForm::PasteLevelsClick()
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

void TMainForm::ImportFromLibrary1Click()
{
    if (!MaybeSaveChanges())
        return;
    if (ImportDialog->exec() != QDialog::Accepted || ImportDialog->selectedFiles().isEmpty())
        return;
    ImportLevelsFile(ImportDialog->selectedFiles().constFirst());
}

bool TMainForm::ImportLevelsFile(const QString& path)
{
    const QString shown = QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
    std::string text;
    std::string reason;
    // One byte beyond the reader's limit, so that a larger file gets the reader's own message.
    if (!ReadFileContents(path.toStdString(), kMaxTabularBytes + 1, text, &reason)) {
        ShowFailure(QStringLiteral("Import Failed"),
                    QStringLiteral("Could not read %1: %2.").arg(shown, QString::fromStdString(reason)));
        return false;
    }
    return ReadLevels(text, QStringLiteral("Import Levels"), QStringLiteral("Import Failed"), shown);
}

bool TMainForm::ReadLevels(const std::string& text, const QString& what, const QString& failure,
                           const QString& source)
{
    TabularLevels levels;
    TabularError error;
    if (!ReadTabularLevels(text, levels, error)) {
        ShowFailure(failure, QStringLiteral("%1 was not read; the spectrum is unchanged.\n%2")
                                 .arg(source, QString::fromStdString(error.message)));
        return false;
    }
    return ApplyLevels(levels, what);
}

bool TMainForm::ApplyLevels(const TabularLevels& levels, const QString& what)
{
    // A band-set switch and the levels are one step: one undo takes both back, and the step's
    // record moves the band check mark with them.
    bool applied = false;
    m_document->ApplyChange(what,
                            [&] { applied = PasteLevels(m_context.Model, m_context.Surface, this, levels); });
    if (applied)
        GraphCanvas->update();
    return applied;
}

} // namespace velmora
