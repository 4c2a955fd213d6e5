#include "app/ComparisonFiles.h"

#include "app/DocumentFiles.h"
#include "app/FileDropFilter.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "edit/ComparisonEdits.h"
#include "io/ComparedFiles.h"
#include "io/FileContents.h"
#include "platform/LocalPath.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>

namespace velmora {

namespace {

/** Most failures one message lists; the rest are counted. */
constexpr int kListedFailures = 12;

} // namespace

ComparisonFiles::ComparisonFiles(QMainWindow& window, AppContext& context, SpectrumDocument& document,
                                 DocumentFiles& files)
    : QObject(&window), m_window(window), m_context(context), m_document(document), m_files(files)
{
    connect(&files.DropFilter(), &FileDropFilter::FilesDroppedToCompare, this,
            [this](const QList<QByteArray>& paths) {
                AddFiles(std::vector<std::string>(paths.begin(), paths.end()), true);
            });
}

void ComparisonFiles::CompareWithClick()
{
    QFileDialog dialog(&m_window, QStringLiteral("Compare With..."));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Data Files and Comparison Lists (*.snd *.SND *.lst *.LST)"),
                           QStringLiteral("All files (*)")});
    dialog.setFileMode(QFileDialog::ExistingFiles);
    m_files.StartInLastFolder(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<std::string> paths;
    for (const QString& chosen : dialog.selectedFiles())
        paths.push_back(LocalPath(chosen));
    AddFiles(paths, true);
}

void ComparisonFiles::SaveComparisonClick()
{
    const ComparisonSet& set = m_context.Comparison;
    QFileDialog dialog(&m_window, QStringLiteral("Save Comparison..."));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("Comparison Lists (*.lst *.LST)"));
    dialog.setDefaultSuffix(QStringLiteral("lst"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    m_files.StartInLastFolder(dialog);
    if (!m_lastList.isEmpty())
        dialog.selectFile(m_lastList);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_lastList = dialog.selectedFiles().constFirst();
    // Whole paths, so that the list reads the same wherever it is moved.
    std::vector<std::string> paths;
    for (const ComparedSpectrum& spectrum : set.Spectra())
        paths.push_back(LocalPath(QFileInfo(PathFromLocal(spectrum.path)).absoluteFilePath()));
    std::string reason;
    const std::string target = LocalPath(m_lastList);
    if (!ReplaceFileContents(target, ComparisonListText(paths), &reason))
        ShowFailures({QStringLiteral("Could not save %1: %2.")
                          .arg(QuotedFileName(target), QString::fromStdString(reason))});
}

int ComparisonFiles::AddFiles(const std::vector<std::string>& paths, bool report)
{
    ComparisonSet& set = m_context.Comparison;
    Follow();
    QStringList failures;
    int added = 0;
    const auto addData = [&](const std::string& path) {
        ComparedFile file;
        std::string reason;
        if (!ReadComparedFile(path, file, reason))
            failures << QStringLiteral("%1: %2.").arg(QuotedFileName(path), QString::fromStdString(reason));
        else if (set.Add(path, file.levels, file.bands, file.dataType) < 0)
            failures << QStringLiteral("%1: the set holds at most %2 spectra.")
                            .arg(QuotedFileName(path))
                            .arg(ComparisonSet::kMaxSpectra);
        else
            ++added;
    };
    for (const std::string& path : paths) {
        if (!IsComparisonList(path)) {
            addData(path);
            continue;
        }
        std::vector<std::string> listed;
        std::string reason;
        if (!ReadComparisonList(path, listed, reason)) {
            failures << QStringLiteral("%1: %2.").arg(QuotedFileName(path), QString::fromStdString(reason));
            continue;
        }
        for (const std::string& entry : listed) {
            // A list names data files; one naming another list would read it as levels.
            if (IsComparisonList(entry))
                failures << QStringLiteral("%1: a comparison list names data files only.")
                                .arg(QuotedFileName(entry));
            else
                addData(entry);
        }
    }
    if (added > 0)
        emit SetChanged();
    if (report && !failures.isEmpty())
        ShowFailures(failures);
    return added;
}

void ComparisonFiles::ShowFailures(const QStringList& failures)
{
    QStringList shown = failures.mid(0, kListedFailures);
    if (failures.size() > kListedFailures)
        shown << QStringLiteral("... and %1 more.").arg(failures.size() - kListedFailures);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: Compare"),
                    QStringLiteral("Some files could not be compared:\n") + shown.join(u'\n'),
                    QMessageBox::Ok, &m_window);
    box.exec();
}

void ComparisonFiles::Average(MeanKind kind)
{
    Follow();
    ComparisonSet& set = m_context.Comparison;
    const SetAverage average = AverageOfShown(set, kind);
    auto edit = MakeAverageEdit(m_context.Model, average, set.Bands());
    if (!edit)
        return;
    // The note holds while the edited spectrum is this average; an undo takes it from the legend.
    set.SetEditedNote(average.note, average.levels, average.dataType);
    m_document.Perform(std::move(edit));
}

void ComparisonFiles::MakeEdited(int i)
{
    Follow();
    ComparisonSet& set = m_context.Comparison;
    if (i < 0 || static_cast<std::size_t>(i) >= set.Size())
        return;
    auto edit = MakeEditedFromSetEdit(m_context.Model, set, static_cast<std::size_t>(i));
    if (!edit)
        return;
    const ComparedSpectrum& spectrum = set[static_cast<std::size_t>(i)];
    set.SetEditedNote(spectrum.name, spectrum.levels, spectrum.dataType);
    m_document.Perform(std::move(edit));
}

void ComparisonFiles::SetShown(int i, bool shown)
{
    if (i >= 0 && m_context.Comparison.SetShown(static_cast<std::size_t>(i), shown))
        emit SetChanged();
}

void ComparisonFiles::Remove(int i)
{
    if (i >= 0 && m_context.Comparison.Remove(static_cast<std::size_t>(i)))
        emit SetChanged();
}

void ComparisonFiles::SetAllShown(bool shown)
{
    if (m_context.Comparison.SetAllShown(shown))
        emit SetChanged();
}

void ComparisonFiles::RemoveAll()
{
    if (m_context.Comparison.Empty())
        return;
    m_context.Comparison.Clear();
    emit SetChanged();
}

void ComparisonFiles::Follow()
{
    m_context.Comparison.FollowBands(BandSetOf(m_context.Model));
}

void ComparisonFiles::FillSpectrumMenu(QMenu& menu, int i)
{
    const ComparisonSet& set = m_context.Comparison;
    if (i < 0 || static_cast<std::size_t>(i) >= set.Size())
        return;
    QAction* shown = menu.addAction(QStringLiteral("&Shown"));
    shown->setCheckable(true);
    shown->setChecked(set[static_cast<std::size_t>(i)].shown);
    connect(shown, &QAction::toggled, this, [this, i](bool on) { SetShown(i, on); });
    connect(menu.addAction(QStringLiteral("&Make Edited")), &QAction::triggered, this,
            [this, i] { MakeEdited(i); });
    connect(menu.addAction(QStringLiteral("&Remove")), &QAction::triggered, this, [this, i] { Remove(i); });
}

void ComparisonFiles::PopupSpectrumMenu(int i, const QPoint& at)
{
    auto* menu = new QMenu(&m_window);
    menu->setObjectName(QStringLiteral("LegendMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FillSpectrumMenu(*menu, i);
    menu->popup(at);
}

void ComparisonFiles::ListSpectra(QMenu& menu)
{
    for (QAction* item : std::as_const(m_spectrumItems)) {
        menu.removeAction(item);
        // A submenu's item belongs to the submenu and goes with it.
        if (QMenu* submenu = item->menu())
            delete submenu;
        else
            delete item;
    }
    m_spectrumItems.clear();
    const ComparisonSet& set = m_context.Comparison;
    if (set.Empty())
        return;
    m_spectrumItems << menu.addSeparator();
    for (std::size_t i = 0; i < set.Size(); ++i) {
        // The first nine take their number as access key; the menu's other keys are letters.
        const QString name = PathFromLocal(set[i].name).replace(u'&', QStringLiteral("&&"));
        const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
        auto* submenu = new QMenu(number + name, &menu);
        submenu->setObjectName(QStringLiteral("ComparedSpectrum%1").arg(i + 1));
        FillSpectrumMenu(*submenu, static_cast<int>(i));
        m_spectrumItems << menu.addMenu(submenu);
    }
}

} // namespace velmora
