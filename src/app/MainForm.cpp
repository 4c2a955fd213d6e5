#include "app/MainForm.h"

#include "app/CompareView.h"
#include "app/ComparisonFiles.h"
#include "app/DocumentFiles.h"
#include "app/GraphExport.h"
#include "app/GraphInput.h"
#include "app/MainActions.h"
#include "app/PanelText.h"
#include "app/RatingCurveActions.h"
#include "app/RatingsPanel.h"
#include "app/ReportExport.h"
#include "app/SpectrumDocument.h"
#include "app/WindowLayout.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ControlsFont.h"
#include "dialogs/GraphForm.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NodesForm.h"
#include "dialogs/NumericFields.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "entry/NumberText.h"
#include "io/CommandLineWords.h"
#include "io/FileContents.h"
#include "io/PanelSetting.h"
#include "model/ResultTexts.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"
#include "platform/LocalPath.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

// The pictures live in a static library, whose resource registration the linker would drop.
static void InitResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

TMainForm::TMainForm(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_graphImage(std::make_unique<ImageCanvas>())
{
    InitResources();
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(ControlsFont());
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    m_document = new SpectrumDocument(context.Model, context.Surface, this);
    BuildLayout();
    setMinimumSize(kMinimumClientSize);

    Draw2DClass& surface = m_context.Surface;
    surface.SetCanvas(m_graphImage.get(), m_graphCanvas);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->availableVirtualSize() : QSize(4096, 4096);
    SetOuterSize(ReadWindowSize(*m_context.Settings,
                                {kMinimumClientSize.width(), kMinimumClientSize.height()},
                                {std::max(screenSize.width(), kDefaultWindowWidth),
                                 std::max(screenSize.height(), kDefaultWindowHeight)}));
    if (surface.Width < 1)
        surface.Width = 1;
    SetupGraph(m_context.Model, surface, true);

    BuildDialogs();
    ConnectParts();
    // The text lines, the panel and the graph show the new spectrum: this draws the graph.
    ShowChange();
}

TMainForm::~TMainForm()
{
    // The undo history says it went clean as it is destroyed, after this window's parts are gone.
    m_document->disconnect();
    m_document->UndoStack().disconnect();
}

void TMainForm::BuildLayout()
{
    m_layout = new WindowLayout(*this, *m_graphImage);
    m_graphCanvas = &m_layout->GraphCanvas();
    centralWidget()->installEventFilter(this);
    m_ratings = new RatingsPanel(m_context, *this);
    m_compareView = new CompareView(m_context, m_ratings);
    m_ratings->AddPage(m_compareView, QStringLiteral("Compare"));
    addDockWidget(Qt::RightDockWidgetArea, m_ratings);
    m_ratings->hide();
}

void TMainForm::BuildDialogs()
{
    m_aboutBox = new TAboutBox(this);
    m_nodesForm = new TNodesForm(m_context, *m_document, this);
    m_graphForm = new TGraphForm(m_context, *m_document, this);
    m_help = new HelpWindow(this);
    m_aboutBox->setObjectName(QStringLiteral("AboutBox"));
    m_nodesForm->setObjectName(QStringLiteral("NodesForm"));
    m_graphForm->setObjectName(QStringLiteral("GraphForm"));
    m_help->setObjectName(QStringLiteral("Help"));
    connect(m_aboutBox, &TAboutBox::HelpTopicRequested, m_help, &HelpWindow::ShowTopic);
}

void TMainForm::ConnectParts()
{
    m_files = new DocumentFiles(*this, m_context, *m_document);
    m_export = new GraphExport(*this, m_context);
    m_comparison = new ComparisonFiles(*this, m_context, *m_document, *m_files);
    m_report = new ReportExport(*this, m_context, *m_document);
    m_actions = new MainActions(*this, m_context, *m_document, *m_files, *m_export, *m_comparison, *m_report,
                                m_ratings->ToggleAction());
    m_input = new GraphInput(*this, m_context, *m_document, m_layout->GraphPanel(), *m_graphCanvas,
                             *m_actions->NodeMenu());

    const std::pair<const char*, void (TMainForm::*)()> own[] = {
        {"About", &TMainForm::LogoButtonClick},      {"Help", &TMainForm::HelpButtonClick},
        {"ZoomIn", &TMainForm::ZoomInButtonClick},   {"ZoomOut", &TMainForm::ZoomOutButtonClick},
        {"Fit", &TMainForm::FitButtonClick},         {"EditGraph1", &TMainForm::SetupButtonClick},
        {"EditNodes1", &TMainForm::HandleEditNodes}, {"EditNodes", &TMainForm::HandleEditNodes},
    };
    for (const auto& [name, handler] : own)
        connect(m_actions->Find(name), &QAction::triggered, this, handler);
    // Each button runs its command's action; the settings button pops up its menu under itself.
    const std::pair<const char*, const char*> buttonActions[] = {
        {"LogoButton", "About"},       {"OpenButton", "Open"},   {"SaveButton", "SaveAs"},
        {"ClipBdButton", "Copy"},      {"PrintButton", "Print"}, {"HelpButton", "Help"},
        {"ZoomInButton", "ZoomIn"},    {"FitButton", "Fit"},     {"ZoomOutButton", "ZoomOut"},
        {"SetupButton", "EditGraph1"},
    };
    for (const auto& [buttonName, actionName] : buttonActions)
        connect(m_layout->Button(buttonName), &QToolButton::clicked, m_actions->Find(actionName),
                &QAction::trigger);
    connect(m_layout->Button("SettingsButton"), &QToolButton::clicked, this, &TMainForm::SettingsButtonClick);
    // The Open button's arrow lists the recent files; a click on the button still opens the dialog.
    auto* open = m_layout->Button("OpenButton");
    open->setMenu(m_files->RecentMenu());
    open->setPopupMode(QToolButton::MenuButtonPopup);

    // F10 reaches the menu bar, as Alt does.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().value(0));
    });

    connect(m_input, &GraphInput::EditNodeRequested, this, &TMainForm::HandleEditNodes);
    connect(m_input, &GraphInput::LegendMenuRequested, m_comparison, &ComparisonFiles::PopupSpectrumMenu);
    connect(m_comparison, &ComparisonFiles::SetChanged, this, &TMainForm::ShowChange);
    connect(m_actions->Find("CompareViewAction"), &QAction::triggered, this,
            [this] { m_ratings->ShowPage(m_compareView); });
    connect(m_document, &SpectrumDocument::Changed, this, &TMainForm::ShowChange);
    connect(m_document, &SpectrumDocument::CurrentChanged, this, &TMainForm::ShowCurrent);
    connect(m_ratings, &RatingsPanel::SlotSelected, m_document, &SpectrumDocument::Select);
    connect(m_ratings, &RatingsPanel::CurveChosen, &m_actions->Curves(), &RatingCurveActions::Show);
    connect(m_ratings->ToggleAction(), &QAction::toggled, m_ratings, &RatingsPanel::SetShown);
    // Closed by its own button, floating or docked: the menu item and the setting follow.
    connect(m_ratings, &RatingsPanel::CloseRequested, this,
            [this] { m_ratings->ToggleAction()->setChecked(false); });
}

RecoveryFile& TMainForm::Recovery()
{
    return m_files->Recovery();
}

void TMainForm::OfferRecovery()
{
    m_files->OfferRecovery();
}

void TMainForm::Redraw()
{
    m_context.Surface.Redraw();
}

void TMainForm::ShowChange()
{
    const TSpectrumModel& model = m_context.Model;
    if (ValidNode(model, model.Nodes.Current))
        SetStatusText(QString::fromStdString(StatusText(model)));
    SetResultText(QString::fromStdString(ResultText(model)));
    m_ratings->Refresh();
    // The set follows the band set before the graph and the Compare view show it.
    m_comparison->Follow();
    m_compareView->Refresh();
    // A drag moves its node in the bitmap itself; everything else draws the graph afresh.
    if (m_context.Surface.DragButton == kDragNode)
        m_graphCanvas->update();
    else
        Redraw();
}

void TMainForm::ShowCurrent()
{
    const TSpectrumModel& model = m_context.Model;
    if (ValidNode(model, model.Nodes.Current))
        SetStatusText(QString::fromStdString(StatusText(model)));
    m_ratings->SelectSlot(model.Nodes.Current);
    m_graphCanvas->update();
}

void TMainForm::SetStatusText(const QString& text)
{
    SetPanelText(m_layout->StatusPanel(), text);
}

void TMainForm::SetResultText(const QString& text)
{
    SetPanelText(m_layout->ResultPanel(), text);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        HandleResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::HandleResize()
{
    m_layout->Arrange();

    // The bitmap follows the panel at the screen's pixel density, so that nothing is cut off
    // and every line and letter is drawn on the screen's own pixels.
    m_graphImage->setPixelRatio(m_graphCanvas->devicePixelRatioF());
    m_graphImage->resize(QSize(m_graphCanvas->ClientWidth(), m_graphCanvas->ClientHeight()));
    m_context.Surface.SetCanvas(m_graphImage.get(), m_graphCanvas);
    SetupGraph(m_context.Model, m_context.Surface, false);
    // The view was set up again and node 0 made current: a change of the view, not an edit.
    if (m_actions)
        m_document->ViewChanged();
    else
        Redraw();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_files->MaybeSaveChanges()) {
        event->ignore();
        return;
    }
    HandleClose();
    m_files->Close();
    QMainWindow::closeEvent(event);
}

void TMainForm::HandleClose()
{
    // The size kept is the window's without a docked panel, which widens it again at the next start.
    WindowSize size = OuterSize();
    if (m_ratings->isVisible() && !m_ratings->isFloating())
        size.width = std::max(size.width - m_ratings->width(), kMinimumClientSize.width());
    WriteWindowSize(*m_context.Settings, size);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A window moved to a screen of another pixel density lays its graph out anew.
    if (QWindow* window = windowHandle(); window && !m_watchingScreen) {
        m_watchingScreen = true;
        connect(window, &QWindow::screenChanged, this, [this] { HandleResize(); });
    }
    // The frame's size is known only once the window system has decorated the window; the ratings
    // panel, when it showed at the last close, then takes its place beside the graph.
    if (!m_frameAdjusted)
        QTimer::singleShot(0, this, [this] {
            m_frameAdjusted = true;
            SetOuterSize(m_requestedOuterSize);
            // The keys act on the graph from the start; Tab goes on to the buttons.
            m_graphCanvas->setFocus(Qt::OtherFocusReason);
            if (m_context.Settings && ReadPanelShown(*m_context.Settings, kRatingsPanelName))
                m_ratings->ToggleAction()->setChecked(true);
        });
}

void TMainForm::SetOuterSize(WindowSize size)
{
    m_requestedOuterSize = size;
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    resize(size.width - frameExtra.width(), size.height - frameExtra.height());
}

WindowSize TMainForm::OuterSize() const
{
    const QSize outer = frameGeometry().size();
    return {outer.width(), outer.height()};
}

void TMainForm::LogoButtonClick()
{
    CenterControl(this, m_aboutBox);
    m_aboutBox->exec();
}

void TMainForm::SettingsButtonClick()
{
    // Just under the button's bottom-left corner, 2 pixels to its left.
    const auto* button = m_layout->Button("SettingsButton");
    m_actions->HighlightMenu()->popup(button->mapToGlobal(QPoint(-2, button->height())));
}

void TMainForm::HelpButtonClick()
{
    m_help->ShowContents();
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
    CenterControl(this, m_graphForm);
    m_graphForm->LoadExtents();
    m_graphForm->exec();
}

void TMainForm::HandleEditNodes()
{
    CenterControl(this, m_nodesForm);
    m_nodesForm->ShowNode(-1);
    m_nodesForm->NodeYEdit->setFocus();
    m_nodesForm->NodeYEdit->selectAll();
    m_nodesForm->exec();
}

void TMainForm::ProcessCommandLine(const std::string& text)
{
    if (text.size() < 3)
        return;
    ProcessWords(SplitWords(text));
}

void TMainForm::ProcessArguments(const std::vector<std::string>& arguments)
{
    std::string text;
    std::vector<std::string> words;
    for (const std::string& argument : arguments) {
        text += (text.empty() ? "" : " ") + argument;
        // A desktop or a shell hands over a file whose name holds spaces as one argument.
        if (IsRegularFile(argument)) {
            words.push_back(argument);
        } else {
            const std::vector<std::string> parts = SplitWords(argument);
            words.insert(words.end(), parts.begin(), parts.end());
        }
    }
    if (text.size() >= 3)
        ProcessWords(words);
}

void TMainForm::ProcessWords(const std::vector<std::string>& words)
{
    TSpectrumModel& model = m_context.Model;
    std::vector<std::string> compared;
    for (const CommandLineStep& step : ReadCommandLine(words)) {
        switch (step.kind) {
        case CommandLineStep::Graph:
            SetGraphExtents(model, m_context.Surface, static_cast<float>(step.numbers[0]),
                            static_cast<float>(step.numbers[1]), static_cast<float>(step.numbers[2]));
            m_document->ViewChanged();
            break;
        // The nodes follow the band set at the next set-up, which the first layout performs.
        case CommandLineStep::Octaves:
            model.BandStart = kOctaveBandStart;
            model.BandStep = kOctaveBandStep;
            break;
        case CommandLineStep::ThirdOctaves:
            model.BandStart = kThirdBandStart;
            model.BandStep = kThirdBandStep;
            break;
        case CommandLineStep::File:
            m_files->ReadDataFile(step.path);
            break;
        case CommandLineStep::CompareFile:
            compared.push_back(step.path);
            break;
        }
    }
    // As with the data files, one that cannot be read is passed over without a word.
    m_comparison->AddFiles(compared, false);
    m_actions->UpdatePopupMenu();
}

} // namespace velmora
