#include "app/MainForm.h"

#include "app/GraphMimeData.h"
#include "app/RadioGroup.h"
#include "app/RatingsPanel.h"
#include "app/SpectrumDocument.h"
#include "dialogs/AboutBox.h"
#include "dialogs/GraphForm.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NodesForm.h"
#include "dialogs/NumericFields.h"
#include "edit/AppContext.h"
#include "edit/DataFileReading.h"
#include "edit/SpectrumCommands.h"
#include "io/BandTable.h"
#include "io/DataFile.h"
#include "model/SpectrumModel.h"
#include "platform/GraphPicture.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QShortcut>
#include <QToolButton>

// The main window's commands: toolbar, small buttons, both pop-up menus, files, clipboard, print.

namespace velmora {

namespace {

/** Screen resolution the window's pixels are measured in when printed. */
constexpr int kScreenDpi = 96;

QAction* AddItem(QMenu* menu, const char* caption, int tag = -1)
{
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    if (tag >= 0)
        item->setData(tag);
    return item;
}

/** "Description (*.SND)" shown, matching both cases of the extension. */
QFileDialog* MakeFileDialog(QWidget* owner, const QString& title, const QString& description,
                            QFileDialog::AcceptMode mode)
{
    auto* dialog = new QFileDialog(owner, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(description + QStringLiteral(" (*.snd *.SND)"));
    dialog->setDefaultSuffix(QStringLiteral("snd"));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return dialog;
}

} // namespace

void TMainForm::BuildMenus()
{
    // The overlay and the band set are two separate choices, each with its own check mark.
    m_highlightItems = std::make_unique<RadioGroup>(this);
    m_bandItems = std::make_unique<RadioGroup>(this);
    m_dataTypeItems = std::make_unique<RadioGroup>(this);
    HighlightMenu = new QMenu(this);
    PtsMenu = new QMenu(this);
    BuildHighlightMenu();
    BuildNodeMenu();
}

void TMainForm::BuildHighlightMenu()
{
    SwapSpectra1 = AddItem(HighlightMenu, "&Edit Other Spectra");
    connect(SwapSpectra1, &QAction::triggered, this, &TMainForm::SwapSpectrums);
    ImportFromLibrary1 = AddItem(HighlightMenu, "&Import From Library");
    connect(ImportFromLibrary1, &QAction::triggered, this, &TMainForm::ImportFromLibrary1Click);
    HighlightMenu->addSeparator();

    const char* const captions[] = {"dB&A Weighting",
                                    "dB&B Weighting",
                                    "dB&C Weighting",
                                    "dB&D Weighting",
                                    "Calculated Results",
                                    "Safe &Working Levels",
                                    "Sound &Transmission Class",
                                    "Noise &Ratings Lines"};
    QAction** items[] = {&dBAWeighting1, &dBBWeighting1,      &dBCWeighting1,           &dBDWeighting1,
                         &Results1,      &SafeWorkingLevels1, &SoundTransmissionClass1, &NoiseRatingsLines1};
    for (int tag = HighlightA; tag <= HighlightNR; ++tag) {
        QAction* item = AddItem(HighlightMenu, captions[tag - 1], tag);
        m_highlightItems->Add(item);
        connect(item, &QAction::triggered, this, [this, item] { DisplayHilight(item); });
        *items[tag - 1] = item;
    }
    HighlightMenu->addSeparator();

    ThirdOctaveBands = AddItem(HighlightMenu, "&Third Octave Bands ");
    FullOctaveBands = AddItem(HighlightMenu, "&Full Octave Bands");
    m_bandItems->Add(ThirdOctaveBands);
    m_bandItems->Add(FullOctaveBands);
    CheckBandSet();
    connect(ThirdOctaveBands, &QAction::triggered, this, &TMainForm::ThirdOctaveBandsClick);
    connect(FullOctaveBands, &QAction::triggered, this, &TMainForm::FullOctaveBandsClick);
    HighlightMenu->addSeparator();

    ApplyResults1 = AddItem(HighlightMenu, "A&pply Calculated Results");
    connect(ApplyResults1, &QAction::triggered, this, &TMainForm::ApplyResults);
    ResettoZero1 = AddItem(HighlightMenu, "Reset Nodes to &Zero");
    connect(ResettoZero1, &QAction::triggered, this, &TMainForm::ResettoZero1Click);
    EditNodes1 = AddItem(HighlightMenu, "Edit &Nodes(s)...");
    connect(EditNodes1, &QAction::triggered, this, &TMainForm::HandleEditNodes);
    EditGraph1 = AddItem(HighlightMenu, "Edit &Graph...");
    connect(EditGraph1, &QAction::triggered, this, &TMainForm::SetupButtonClick);
    HighlightMenu->addSeparator();
    HighlightMenu->addAction(Ratings->ToggleAction());
    connect(HighlightMenu, &QMenu::aboutToShow, this, &TMainForm::UpdatePopupMenu);
}

void TMainForm::BuildNodeMenu()
{
    EditNodes = AddItem(PtsMenu, "&Edit Node(s)...");
    connect(EditNodes, &QAction::triggered, this, &TMainForm::HandleEditNodes);
    SwapSpectraB = AddItem(PtsMenu, "&Edit Other Spectra");
    connect(SwapSpectraB, &QAction::triggered, this, &TMainForm::SwapSpectrums);
    PtsMenu->addSeparator();
    const char* const captions[] = {"&Pressure Levels", "Power/&Intensity Levels", "&Attenuation Levels",
                                    "&Correction Factors"};
    QAction** items[] = {&DataType1, &DataType2, &DataType3, &DataType4};
    for (int tag = PressureLevels; tag <= CorrectionFactors; ++tag) {
        QAction* item = AddItem(PtsMenu, captions[tag], tag);
        m_dataTypeItems->Add(item);
        connect(item, &QAction::triggered, this, [this, item] { DataType1Click(item); });
        *items[tag] = item;
    }
    m_dataTypeItems->Check(DataType1);
    PtsMenu->addSeparator();
    ApplyResults2 = AddItem(PtsMenu, "Apply Calculated &Results");
    connect(ApplyResults2, &QAction::triggered, this, &TMainForm::ApplyResults);
    PasteLevels1 = AddItem(PtsMenu, "Paste &Levels");
    connect(PasteLevels1, &QAction::triggered, this, &TMainForm::PasteLevelsClick);
    connect(PtsMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateNodeMenu);
}

void TMainForm::BuildDialogs()
{
    OpenDialog = MakeFileDialog(this, QStringLiteral("Open Velmora Data..."),
                                QStringLiteral("Velmora Data Files (*.SND)"), QFileDialog::AcceptOpen);
    SaveDialog = MakeFileDialog(this, QStringLiteral("Save Velmora Data..."),
                                QStringLiteral("Velmora Data Files (*.SND)"), QFileDialog::AcceptSave);
    ImportDialog = new QFileDialog(this, QStringLiteral("Import Levels..."));
    ImportDialog->setOption(QFileDialog::DontUseNativeDialog);
    ImportDialog->setNameFilters(
        {QStringLiteral("Tables of levels (*.csv *.txt *.CSV *.TXT)"), QStringLiteral("All files (*)")});
    ImportDialog->setFileMode(QFileDialog::ExistingFile);
    AboutBox = new TAboutBox(this);
    NodesForm = new TNodesForm(m_context, this, this);
    GraphForm = new TGraphForm(m_context, this, this);
    Help = new HelpWindow(this);
    connect(AboutBox, &TAboutBox::HelpTopicRequested, Help, &HelpWindow::ShowTopic);
}

void TMainForm::ConnectCommands()
{
    connect(LogoButton, &QToolButton::clicked, this, &TMainForm::LogoButtonClick);
    connect(OpenButton, &QToolButton::clicked, this, &TMainForm::OpenButtonClick);
    connect(SaveButton, &QToolButton::clicked, this, &TMainForm::SaveButtonClick);
    connect(ClipBdButton, &QToolButton::clicked, this, &TMainForm::ClipBdButtonClick);
    connect(PrintButton, &QToolButton::clicked, this, &TMainForm::PrintButtonClick);
    connect(SettingsButton, &QToolButton::clicked, this, &TMainForm::SettingsButtonClick);
    connect(HelpButton, &QToolButton::clicked, this, &TMainForm::HelpButtonClick);
    connect(ZoomInButton, &QToolButton::clicked, this, &TMainForm::ZoomInButtonClick);
    connect(FitButton, &QToolButton::clicked, this, &TMainForm::FitButtonClick);
    connect(ZoomOutButton, &QToolButton::clicked, this, &TMainForm::ZoomOutButtonClick);
    connect(SetupButton, &QToolButton::clicked, this, &TMainForm::SetupButtonClick);

    // The shortcuts desktop users expect; none of these keys means anything on the graph.
    const std::pair<QKeySequence, void (TMainForm::*)()> shortcuts[] = {
        {QKeySequence::Open, &TMainForm::OpenButtonClick},
        {QKeySequence::Copy, &TMainForm::ClipBdButtonClick},
        {QKeySequence::Print, &TMainForm::PrintButtonClick},
        {QKeySequence::HelpContents, &TMainForm::HelpButtonClick},
        {QKeySequence::Paste, &TMainForm::PasteLevelsClick},
    };
    for (const auto& [keys, command] : shortcuts)
        connect(new QShortcut(keys, this), &QShortcut::activated, this, command);
    // Saving with the keys goes back to the file the spectrum came from; the Save button always asks.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &TMainForm::SaveDocument);
}

void TMainForm::ShowFailure(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Velmora: ") + title, text, QMessageBox::Ok, this);
    box.exec();
}

void TMainForm::LogoButtonClick()
{
    CenterControl(this, AboutBox);
    AboutBox->exec();
}

void TMainForm::OpenButtonClick()
{
    if (!MaybeSaveChanges())
        return;
    StartInLastFolder(OpenDialog);
    if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    OpenDataFile(OpenDialog->selectedFiles().constFirst());
}

bool TMainForm::OpenDataFile(const QString& path)
{
    if (ReadDataFile(path.toStdString()))
        return true;
    ShowFailure(QStringLiteral("Open Failed"),
                QStringLiteral("Could not read \"%1\".").arg(QDir::toNativeSeparators(path)));
    return false;
}

void TMainForm::SaveButtonClick()
{
    RunSaveDialog();
}

bool TMainForm::RunSaveDialog()
{
    StartInLastFolder(SaveDialog);
    if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return false;
    return SaveDataFile(SaveDialog->selectedFiles().constFirst());
}

bool TMainForm::SaveDataFile(const QString& path)
{
    std::string reason;
    if (WriteDataFile(m_context.Model, path.toStdString(), &reason)) {
        m_document->MarkSaved(path);
        RememberFile(path);
        return true;
    }
    ShowFailure(
        QStringLiteral("Save Failed"),
        QStringLiteral("Could not save \"%1\": %2.\nThe spectrum is not saved; any earlier file of that "
                       "name is unchanged.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(reason)));
    return false;
}

void TMainForm::ClipBdButtonClick()
{
    const GraphSurface& surface = m_context.Surface;
    QByteArray svg = GraphSvg(m_context.Model, m_context.Surface);
    if (svg.isEmpty()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Velmora: Memory Error"),
                        QStringLiteral("ERROR: Could not create metafile."), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    // An image of the same picture serves programs that cannot paste SVG, the band table
    // spreadsheets and word processors.
    auto* data = new GraphMimeData(std::move(svg), QSize(surface.Width, surface.Height));
    const std::string decimalPoint = QLocale::system().decimalPoint().toStdString();
    data->SetTable(QByteArray::fromStdString(BandTableText(m_context.Model, decimalPoint)),
                   QByteArray::fromStdString(BandTableHtml(m_context.Model, decimalPoint)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TMainForm::PrintButtonClick()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Velmora"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintForm(printer);
}

void TMainForm::PrintForm(QPaintDevice& page)
{
    const QPixmap image = grab();
    QPainter painter(&page);
    const double scaleX = static_cast<double>(page.logicalDpiX()) / kScreenDpi;
    const double scaleY = static_cast<double>(page.logicalDpiY()) / kScreenDpi;
    painter.drawPixmap(QRectF(0, 0, image.width() * scaleX, image.height() * scaleY), image, image.rect());
}

void TMainForm::SettingsButtonClick()
{
    const QPoint below(MainPanel->x() + SettingsButton->x() - 2,
                       MainPanel->y() + SettingsButton->y() + SettingsButton->height());
    HighlightMenu->popup(mapToGlobal(below));
}

void TMainForm::HelpButtonClick()
{
    Help->ShowContents();
}

void TMainForm::ZoomInButtonClick()
{
    m_context.Surface.ZoomAboutCentre(1.1f);
    Redraw();
}

void TMainForm::FitButtonClick()
{
    m_context.Surface.ViewCommand(ViewFit, false);
    Redraw();
}

void TMainForm::ZoomOutButtonClick()
{
    m_context.Surface.ZoomAboutCentre(0.90909094f);
    Redraw();
}

void TMainForm::SetupButtonClick()
{
    CenterControl(this, GraphForm);
    GraphForm->LoadExtents();
    GraphForm->exec();
}

void TMainForm::HandleEditNodes()
{
    CenterControl(this, NodesForm);
    NodesForm->ShowNode(-1);
    NodesForm->NodeYEdit->setFocus();
    NodesForm->NodeYEdit->selectAll();
    NodesForm->exec();
}

bool TMainForm::ReadDataFile(const std::string& path)
{
    TSpectrumModel& model = m_context.Model;
    if (!velmora::ReadDataFile(model, m_context.Surface, this, path))
        return false;
    CheckBandSet();
    Redraw();
    const QString file = QString::fromStdString(path);
    m_document->StartFile(file);
    RememberFile(file);
    return true;
}

void TMainForm::DisplayHilight(QAction* item)
{
    if (ShowHighlight(m_context.Model, m_context.Surface, item->data().toInt()) != HighlightNone)
        m_highlightItems->Check(item);
    else
        m_highlightItems->Uncheck(item);
}

void TMainForm::FullOctaveBandsClick()
{
    if (BandSetOf(m_context.Model) == BandSet::Third) {
        m_document->ApplyChange(QStringLiteral("Full Octave Bands"),
                                [this] { ToFullOctave(m_context.Model, m_context.Surface, this); });
        Redraw();
    }
    m_bandItems->Refresh();
}

void TMainForm::ThirdOctaveBandsClick()
{
    if (BandSetOf(m_context.Model) == BandSet::Octave) {
        m_document->ApplyChange(QStringLiteral("Third Octave Bands"),
                                [this] { ToThirdOctave(m_context.Model, m_context.Surface, this); });
        Redraw();
    }
    m_bandItems->Refresh();
}

void TMainForm::SwapSpectrums()
{
    m_document->ApplyChange(QStringLiteral("Swap Spectra"),
                            [this] { SwapSpectra(m_context.Model, m_context.Surface, this); });
}

void TMainForm::ApplyResults()
{
    m_document->ApplyChange(QStringLiteral("Apply Calculated Results"),
                            [this] { velmora::ApplyResults(m_context.Model, m_context.Surface, this); });
}

void TMainForm::ResettoZero1Click()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Velmora: Resetting..."),
                    QStringLiteral("Resetting nodes to zero.\nContinue?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok || !MaybeSaveChanges())
        return;
    m_document->ApplyChange(QStringLiteral("Reset to Zero"), [this] {
        ResetToZero(m_context.Model, m_context.Surface, this);
        Redraw();
    });
}

void TMainForm::CheckBandSet()
{
    m_bandItems->Check(BandSetOf(m_context.Model) == BandSet::Third ? ThirdOctaveBands : FullOctaveBands);
}

void TMainForm::UpdatePopupMenu()
{
    const TSpectrumModel& model = m_context.Model;
    const int mode = model.HighlightMode;
    ApplyResults1->setEnabled(mode >= HighlightA && mode <= HighlightResults);
    // The check marks say what is shown, however the overlay or the band set last changed.
    QAction* const overlays[] = {dBAWeighting1,           dBBWeighting1,     dBCWeighting1,
                                 dBDWeighting1,           Results1,          SafeWorkingLevels1,
                                 SoundTransmissionClass1, NoiseRatingsLines1};
    if (mode >= HighlightA && mode <= HighlightNR)
        m_highlightItems->Check(overlays[mode - 1]);
    else if (QAction* checked = m_highlightItems->Checked())
        m_highlightItems->Uncheck(checked);
    CheckBandSet();
}

void TMainForm::UpdateNodeMenu()
{
    const TSpectrumModel& model = m_context.Model;
    ApplyResults2->setEnabled(model.HighlightMode >= HighlightA && model.HighlightMode <= HighlightResults);
    QAction* const items[] = {DataType1, DataType2, DataType3, DataType4};
    const int type = model.Nodes.DataType;
    m_dataTypeItems->Check(IsDataType(type) ? items[type] : DataType1);
}

void TMainForm::DataType1Click(QAction* item)
{
    bool changed = false;
    m_document->ApplyChange(QStringLiteral("Data Type"), [this, item, &changed] {
        changed = ChangeDataType(m_context.Model, m_context.Surface, this, item->data().toInt());
    });
    if (changed)
        m_dataTypeItems->Check(item);
    m_dataTypeItems->Refresh();
}

} // namespace velmora
