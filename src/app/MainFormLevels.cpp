#include "app/MainForm.h"

#include "app/RadioGroup.h"
#include "edit/AppContext.h"
#include "edit/LevelsPaste.h"
#include "io/FileContents.h"
#include "io/TabularLevels.h"
#include "model/SpectrumModel.h"
#include "platform/CanvasWidget.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

// Levels into the window from tabular text: the clipboard, an imported file, a dropped file.

namespace velmora {

namespace {

/** The one local .csv or .txt file a drag carries; empty for anything else. */
QString DroppedTable(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) &&
        !path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        return {};
    return path;
}

} // namespace

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
    Q_UNUSED(what)
    TSpectrumModel& model = m_context.Model;
    const BandSet before = BandSetOf(model);
    if (!PasteLevels(model, m_context.Surface, this, levels))
        return false;
    if (BandSetOf(model) != before)
        m_bandItems->Check(BandSetOf(model) == BandSet::Third ? ThirdOctaveBands : FullOctaveBands);
    GraphCanvas->update();
    return true;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedTable(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QString path = DroppedTable(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    ImportLevelsFile(path);
}

} // namespace velmora
