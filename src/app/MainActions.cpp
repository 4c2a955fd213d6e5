#include "app/MainActions.h"

#include "app/ComparisonFiles.h"
#include "app/DocumentFiles.h"
#include "app/GraphExport.h"
#include "app/RadioGroup.h"
#include "app/RatingCurveActions.h"
#include "app/ReportExport.h"
#include "app/SpectrumDocument.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "edit/SpectrumEdits.h"
#include "model/SpectrumModel.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace velmora {

namespace {

/** The overlay items in the order of their Tag, 1 to 8. */
constexpr const char* kOverlayNames[] = {"dBAWeighting1",           "dBBWeighting1",     "dBCWeighting1",
                                         "dBDWeighting1",           "Results1",          "SafeWorkingLevels1",
                                         "SoundTransmissionClass1", "NoiseRatingsLines1"};
constexpr const char* kDataTypeNames[] = {"DataType1", "DataType2", "DataType3", "DataType4"};

/** Adds action to menu and hands it back. */
QAction* Put(QMenu* menu, QAction* action)
{
    menu->addAction(action);
    return action;
}

} // namespace

MainActions::MainActions(QMainWindow& window, AppContext& context, SpectrumDocument& document,
                         DocumentFiles& files, GraphExport& output, ComparisonFiles& comparison,
                         ReportExport& report, QAction* ratingsPanel)
    : QObject(&window), m_window(window), m_context(context), m_document(document),
      m_highlightItems(std::make_unique<RadioGroup>(this)), m_bandItems(std::make_unique<RadioGroup>(this)),
      m_dataTypeItems(std::make_unique<RadioGroup>(this))
{
    QUndoStack& stack = document.UndoStack();
    QAction* undo = stack.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("UndoAction"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = stack.createRedoAction(this, QStringLiteral("Re&do"));
    redo->setObjectName(QStringLiteral("RedoAction"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The window's own actions, so that their keys work with every menu closed.
    window.addAction(undo);
    window.addAction(redo);

    BuildHighlightMenu();
    BuildNodeMenu();
    ratingsPanel->setText(QStringLiteral("&Ratings Panel"));
    m_highlightMenu->addSeparator();
    m_highlightMenu->addAction(ratingsPanel);

    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    BuildEditMenu(bar->addMenu(QStringLiteral("&Edit")), output);
    BuildViewMenu(bar->addMenu(QStringLiteral("&View")));
    BuildCompareMenu(bar->addMenu(QStringLiteral("&Compare")), comparison);
    BuildFileMenu(file, files, output, report);
    QMenu* ratings = bar->addMenu(QStringLiteral("&Ratings"));
    ratings->addAction(ratingsPanel);
    ratings->addSeparator();
    m_curves = new RatingCurveActions(this, context, document);
    m_curves->AddTo(ratings);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    Put(help, Add("Help", "&Help Contents", "Display help."))->setShortcut(QKeySequence::HelpContents);
    Put(help, Add("About", "&About Velmora...", "About..."));
    for (QAction* action : window.findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            window.addAction(action);

    // An undo may bring back the other band set or data type; the check marks say what is in force.
    connect(&document, &SpectrumDocument::Changed, this, [this] {
        UpdatePopupMenu();
        UpdateNodeMenu();
    });
    UpdatePopupMenu();
    UpdateNodeMenu();
}

MainActions::~MainActions() = default;

QAction* MainActions::Add(const char* name, const char* caption, const char* hint)
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromUtf8(name));
    if (hint)
        action->setStatusTip(QString::fromUtf8(hint));
    return action;
}

QAction* MainActions::Find(const char* name) const
{
    return findChild<QAction*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

void MainActions::BuildFileMenu(QMenu* menu, DocumentFiles& files, GraphExport& output, ReportExport& report)
{
    QAction* open = Put(menu, Add("Open", "&Open...", "Open Velmora data file."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, &files, &DocumentFiles::OpenButtonClick);
    menu->addMenu(files.RecentMenu());
    QAction* save = Put(menu, Add("Save", "&Save"));
    save->setShortcut(QKeySequence::Save);
    // Saving goes back to the file the spectrum came from; Save As (and the Save button) always asks.
    connect(save, &QAction::triggered, &files, &DocumentFiles::SaveDocument);
    QAction* saveAs = Put(menu, Add("SaveAs", "Save &As...", "Save Velmora data file."));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAs, &QAction::triggered, &files, &DocumentFiles::SaveButtonClick);
    menu->addAction(Find("ImportFromLibrary1"));
    connect(Find("ImportFromLibrary1"), &QAction::triggered, &files, &DocumentFiles::ImportFromLibrary1Click);
    menu->addAction(Find("CompareWith"));
    menu->addAction(Find("SaveComparison"));
    connect(Find("PasteLevels1"), &QAction::triggered, &files, &DocumentFiles::PasteLevelsClick);
    menu->addSeparator();
    QAction* print = Put(menu, Add("Print", "&Print...", "Print form."));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, &output, &GraphExport::PrintButtonClick);
    QAction* exportReport = Put(
        menu, Add("ExportReport", "&Export Report...", "Save a report of the spectrum as a PDF document."));
    connect(exportReport, &QAction::triggered, &report, &ReportExport::ExportReportClick);
    QAction* printReport =
        Put(menu, Add("PrintReport", "Print Repor&t...", "Print a report of the spectrum."));
    connect(printReport, &QAction::triggered, &report, &ReportExport::PrintReportClick);
    menu->addSeparator();
    QAction* exit = Put(menu, Add("Exit", "E&xit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, &m_window, &QWidget::close);
    connect(menu, &QMenu::aboutToShow, &files, &DocumentFiles::UpdateRecentMenu);
}

void MainActions::BuildEditMenu(QMenu* menu, GraphExport& output)
{
    menu->addAction(Find("UndoAction"));
    menu->addAction(Find("RedoAction"));
    menu->addSeparator();
    QAction* copy = Put(menu, Add("Copy", "&Copy Graph", "Copy image to clipboard."));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, &output, &GraphExport::ClipBdButtonClick);
    menu->addAction(Find("PasteLevels1"));
    menu->addSeparator();
    menu->addAction(Find("EditNodes1"));
    menu->addAction(Find("SwapSpectra1"));
    QMenu* types = menu->addMenu(QStringLiteral("Data &Type"));
    for (const char* name : kDataTypeNames)
        types->addAction(Find(name));
    menu->addAction(Find("ApplyResults1"));
    menu->addAction(Find("ResettoZero1"));
    QMenu* bands = menu->addMenu(QStringLiteral("&Band Set"));
    bands->addAction(Find("ThirdOctaveBands"));
    bands->addAction(Find("FullOctaveBands"));
    for (QMenu* shown : {menu, types, bands})
        connect(shown, &QMenu::aboutToShow, this, [this] {
            UpdatePopupMenu();
            UpdateNodeMenu();
        });
}

void MainActions::BuildViewMenu(QMenu* menu)
{
    // The graph's own keys do these; the menu names them.
    Put(menu, Add("ZoomIn", "Zoom &In\t+", "Zoom in"));
    Put(menu, Add("ZoomOut", "Zoom &Out\t-", "Zoom out"));
    Put(menu, Add("Fit", "Zoom to &Fit\tHome", "Zoom to fit"));
    menu->addSeparator();
    menu->addAction(Find("EditGraph1"));
    QMenu* overlays = menu->addMenu(QStringLiteral("O&verlay"));
    for (const char* name : kOverlayNames)
        overlays->addAction(Find(name));
    connect(overlays, &QMenu::aboutToShow, this, &MainActions::UpdatePopupMenu);
}

void MainActions::BuildCompareMenu(QMenu* menu, ComparisonFiles& comparison)
{
    menu->setObjectName(QStringLiteral("CompareMenu"));
    QAction* with = Put(menu, Add("CompareWith", "Compare &With...", "Add data files to compare."));
    with->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(with, &QAction::triggered, &comparison, &ComparisonFiles::CompareWithClick);
    QAction* save = Put(menu, Add("SaveComparison", "Save &Comparison...", "Save the compared files' list."));
    connect(save, &QAction::triggered, &comparison, &ComparisonFiles::SaveComparisonClick);
    menu->addSeparator();
    QAction* energetic = Put(menu, Add("AverageEnergetic", "&Average (Energetic)",
                                       "The energetic mean of the shown spectra as the edited spectrum."));
    connect(energetic, &QAction::triggered, &comparison,
            [&comparison] { comparison.Average(MeanKind::Energetic); });
    QAction* arithmetic = Put(menu, Add("AverageArithmetic", "Average A&ttenuations (Arithmetic)",
                                        "The arithmetic mean of the shown spectra as the edited spectrum."));
    connect(arithmetic, &QAction::triggered, &comparison,
            [&comparison] { comparison.Average(MeanKind::Arithmetic); });
    menu->addSeparator();
    QAction* showAll = Put(menu, Add("ShowAllCompared", "&Show All"));
    connect(showAll, &QAction::triggered, &comparison, [&comparison] { comparison.SetAllShown(true); });
    QAction* hideAll = Put(menu, Add("HideAllCompared", "&Hide All"));
    connect(hideAll, &QAction::triggered, &comparison, [&comparison] { comparison.SetAllShown(false); });
    QAction* removeAll = Put(menu, Add("RemoveAllCompared", "&Remove All"));
    connect(removeAll, &QAction::triggered, &comparison, &ComparisonFiles::RemoveAll);
    menu->addSeparator();
    // The window shows the view in the ratings panel.
    Put(menu, Add("CompareViewAction", "Compare &View", "Levels, differences and ratings side by side."))
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    connect(menu, &QMenu::aboutToShow, this, [menu, &comparison] { comparison.ListSpectra(*menu); });
    connect(&comparison, &ComparisonFiles::SetChanged, this, &MainActions::UpdateCompareMenu);
    UpdateCompareMenu();
}

void MainActions::UpdateCompareMenu()
{
    const ComparisonSet& set = m_context.Comparison;
    for (const char* name : {"SaveComparison", "ShowAllCompared", "HideAllCompared", "RemoveAllCompared"})
        Find(name)->setEnabled(!set.Empty());
    for (const char* name : {"AverageEnergetic", "AverageArithmetic"})
        Find(name)->setEnabled(set.ShownCount() > 0);
}

void MainActions::BuildHighlightMenu()
{
    m_highlightMenu = new QMenu(&m_window);
    m_highlightMenu->setObjectName(QStringLiteral("HighlightMenu"));
    QAction* swap = Put(m_highlightMenu, Add("SwapSpectra1", "&Edit Other Spectra\tPgUp"));
    connect(swap, &QAction::triggered, this, &MainActions::SwapSpectrums);
    m_highlightMenu->addAction(
        Add("ImportFromLibrary1", "&Import Levels...", "Read levels from a table file."));
    m_highlightMenu->addSeparator();

    const char* const captions[] = {"dB&A Weighting",
                                    "dB&B Weighting",
                                    "dB&C Weighting",
                                    "dB&D Weighting",
                                    "Calculated Re&sults",
                                    "Safe E&xposure Levels",
                                    "Sound &Transmission Class",
                                    "Noise Ratings &Lines"};
    for (int tag = HighlightA; tag <= HighlightNR; ++tag) {
        QAction* item = Put(m_highlightMenu, Add(kOverlayNames[tag - 1], captions[tag - 1]));
        item->setData(tag);
        m_highlightItems->Add(item);
        connect(item, &QAction::triggered, this, [this, item] { DisplayHilight(item); });
    }
    m_highlightMenu->addSeparator();

    QAction* third = Put(m_highlightMenu, Add("ThirdOctaveBands", "Third &Octave Bands"));
    QAction* full = Put(m_highlightMenu, Add("FullOctaveBands", "&Full Octave Bands"));
    m_bandItems->Add(third);
    m_bandItems->Add(full);
    connect(third, &QAction::triggered, this, &MainActions::ThirdOctaveBandsClick);
    connect(full, &QAction::triggered, this, &MainActions::FullOctaveBandsClick);
    m_highlightMenu->addSeparator();

    QAction* apply = Put(m_highlightMenu, Add("ApplyResults1", "A&pply Calculated Results"));
    connect(apply, &QAction::triggered, this, &MainActions::ApplyResults);
    QAction* reset = Put(m_highlightMenu, Add("ResettoZero1", "Reset Nodes to &Zero"));
    connect(reset, &QAction::triggered, this, &MainActions::ResettoZero1Click);
    Put(m_highlightMenu, Add("EditNodes1", "Edit &Node(s)...\tEnter"));
    Put(m_highlightMenu, Add("EditGraph1", "Edit &Graph...", "Edit graph settings"));
    connect(m_highlightMenu, &QMenu::aboutToShow, this, &MainActions::UpdatePopupMenu);
}

void MainActions::BuildNodeMenu()
{
    m_nodeMenu = new QMenu(&m_window);
    m_nodeMenu->setObjectName(QStringLiteral("PtsMenu"));
    m_nodeMenu->addAction(Find("UndoAction"));
    m_nodeMenu->addAction(Find("RedoAction"));
    m_nodeMenu->addSeparator();
    Put(m_nodeMenu, Add("EditNodes", "&Edit Node(s)...\tEnter"));
    QAction* swap = Put(m_nodeMenu, Add("SwapSpectraB", "Edit &Other Spectra\tPgUp"));
    connect(swap, &QAction::triggered, this, &MainActions::SwapSpectrums);
    m_nodeMenu->addSeparator();
    const char* const captions[] = {"&Pressure Levels", "Power/&Intensity Levels", "&Attenuation Levels",
                                    "&Correction Factors"};
    for (int tag = PressureLevels; tag <= CorrectionFactors; ++tag) {
        QAction* item = Put(m_nodeMenu, Add(kDataTypeNames[tag], captions[tag]));
        item->setData(tag);
        m_dataTypeItems->Add(item);
        connect(item, &QAction::triggered, this, [this, item] { DataType1Click(item); });
    }
    m_nodeMenu->addSeparator();
    QAction* apply = Put(m_nodeMenu, Add("ApplyResults2", "Apply Calculated &Results"));
    connect(apply, &QAction::triggered, this, &MainActions::ApplyResults);
    QAction* paste = Put(m_nodeMenu, Add("PasteLevels1", "Paste &Levels", "Read levels from the clipboard."));
    paste->setShortcut(QKeySequence::Paste);
    connect(m_nodeMenu, &QMenu::aboutToShow, this, &MainActions::UpdateNodeMenu);
}

void MainActions::DisplayHilight(QAction* item)
{
    ShowHighlight(m_context.Model, m_context.Surface, item->data().toInt());
    // The check mark follows the overlay now shown; applying results is possible exactly while an
    // overlay of results shows.
    UpdateNodeMenu();
    UpdatePopupMenu();
}

void MainActions::FullOctaveBandsClick()
{
    m_document.Perform(MakeBandSetEdit(m_context.Model, BandSet::Octave));
    UpdatePopupMenu();
}

void MainActions::ThirdOctaveBandsClick()
{
    m_document.Perform(MakeBandSetEdit(m_context.Model, BandSet::Third));
    UpdatePopupMenu();
}

void MainActions::SwapSpectrums()
{
    m_document.Perform(MakeSwapEdit());
}

void MainActions::ApplyResults()
{
    m_document.Perform(MakeApplyResultsEdit(m_context.Model));
}

void MainActions::ResettoZero1Click()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Velmora: Resetting..."),
                    QStringLiteral("Resetting nodes to zero.\nContinue?"),
                    QMessageBox::Ok | QMessageBox::Cancel, &m_window);
    if (box.exec() == QMessageBox::Ok)
        m_document.Perform(MakeResetEdit(m_context.Model));
}

void MainActions::DataType1Click(QAction* item)
{
    m_document.Perform(MakeDataTypeEdit(m_context.Model, item->data().toInt()));
    UpdateNodeMenu();
}

void MainActions::UpdatePopupMenu()
{
    const TSpectrumModel& model = m_context.Model;
    const int mode = model.HighlightMode;
    Find("ApplyResults1")->setEnabled(mode >= HighlightA && mode <= HighlightResults);
    // The check marks say what is shown, however the overlay or the band set last changed.
    if (mode >= HighlightA && mode <= HighlightNR)
        m_highlightItems->Check(Find(kOverlayNames[mode - 1]));
    else if (QAction* checked = m_highlightItems->Checked())
        m_highlightItems->Uncheck(checked);
    m_bandItems->Check(Find(BandSetOf(model) == BandSet::Third ? "ThirdOctaveBands" : "FullOctaveBands"));
}

void MainActions::UpdateNodeMenu()
{
    const TSpectrumModel& model = m_context.Model;
    Find("ApplyResults2")
        ->setEnabled(model.HighlightMode >= HighlightA && model.HighlightMode <= HighlightResults);
    const int type = model.Nodes.DataType;
    m_dataTypeItems->Check(Find(kDataTypeNames[IsDataType(type) ? type : PressureLevels]));
}

} // namespace velmora
