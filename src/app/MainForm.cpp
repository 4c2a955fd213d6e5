#include "app/MainForm.h"

#include "app/DocumentFiles.h"
#include "app/GraphExport.h"
#include "app/GraphInput.h"
#include "app/MainActions.h"
#include "app/PanelText.h"
#include "app/RatingsPanel.h"
#include "app/SpectrumDocument.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ControlsFont.h"
#include "dialogs/GraphForm.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NodesForm.h"
#include "dialogs/NumericFields.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "entry/NumberText.h"
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
#include <cctype>
#include <sstream>

// The pictures live in a static library, whose resource registration the linker would drop.
static void InitResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

/** The graph keeps at least this width beside a docked ratings panel. */
constexpr int kGraphMinimumWidth = 300;

/** A toolbar button: its picture, its hint, the action it runs and its name. */
struct ButtonInfo {
    const char* name;
    const char* icon;
    const char* hint;
    const char* action;
};

QToolButton* MakeButton(QWidget* parent, const ButtonInfo& info, const QRect& geometry, int iconSize)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromUtf8(info.name));
    button->setAutoRaise(true);
    // Tab reaches every button, so that each can be used from the keyboard alone.
    button->setFocusPolicy(Qt::TabFocus);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(info.icon))));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setGeometry(geometry);
    // Pictures alone do not say what a button does; every button shows its hint.
    button->setToolTip(QString::fromUtf8(info.hint));
    button->setStatusTip(QString::fromUtf8(info.hint));
    button->setAccessibleName(QString::fromUtf8(info.hint));
    return button;
}

QLabel* MakeTextPanel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    const std::string_view other(b);
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

} // namespace

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
    Redraw();

    BuildDialogs();
    ConnectParts();
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
    // The toolbar strip: the banner over seven picture buttons, at their places.
    m_mainPanel = new QFrame;
    m_mainPanel->setObjectName(QStringLiteral("MainPanel"));
    m_mainPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_mainPanel->setFixedSize(443, 86);
    auto* banner = new QLabel(m_mainPanel);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(QIcon(QStringLiteral(":/icons/banner.svg")).pixmap(440, 23));
    banner->setGeometry(1, 1, 440, 23);
    const ButtonInfo toolbar[] = {
        {"LogoButton", "logo", "About...", "About"},
        {"OpenButton", "open", "Open Velmora data file.", "Open"},
        {"SaveButton", "save", "Save Velmora data file.", "SaveAs"},
        {"ClipBdButton", "clipboard", "Copy image to clipboard.", "Copy"},
        {"PrintButton", "print", "Print form.", "Print"},
        {"SettingsButton", "settings", "Edit graph settings", nullptr},
        {"HelpButton", "help", "Display help.", "Help"},
    };
    int x = 2;
    for (const ButtonInfo& info : toolbar) {
        MakeButton(m_mainPanel, info, {x, 25, 62, 60}, 40);
        x += 63;
    }
    auto* strip = addToolBar(QStringLiteral("Toolbar"));
    strip->setObjectName(QStringLiteral("Toolbar"));
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->toggleViewAction()->setEnabled(false);
    strip->addWidget(m_mainPanel);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(central);
    central->installEventFilter(this);
    central->setMinimumWidth(kGraphMinimumWidth);
    m_graphPanel = new QWidget(central);
    m_graphPanel->setObjectName(QStringLiteral("GraphPanel"));
    m_graphCanvas = new CanvasWidget(*m_graphImage, m_graphPanel);
    m_graphCanvas->setObjectName(QStringLiteral("GraphCanvas"));
    // The keys act on the graph: it takes the focus first, and back on a click.
    m_graphCanvas->setFocusPolicy(Qt::StrongFocus);
    m_graphCanvas->setAccessibleName(QStringLiteral("Graph"));
    m_graphCanvas->move(1, 1);

    m_buttonPanel = new QFrame(central);
    m_buttonPanel->setObjectName(QStringLiteral("ButtonPanel"));
    m_buttonPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_buttonPanel->setGeometry(2, 0, 98, 24);
    const ButtonInfo small[] = {
        {"ZoomInButton", "zoomin", "Zoom in", "ZoomIn"},
        {"FitButton", "fit", "Zoom to fit", "Fit"},
        {"ZoomOutButton", "zoomout", "Zoom out", "ZoomOut"},
        {"SetupButton", "setup", "Edit graph settings", "EditGraph1"},
    };
    x = 1;
    for (const ButtonInfo& info : small) {
        MakeButton(m_buttonPanel, info, {x, 1, 24, 22}, 16);
        x += 24;
    }
    m_statusPanel = MakeTextPanel(central, "StatusPanel");
    m_resultPanel = MakeTextPanel(central, "ResultPanel");

    m_ratings = new RatingsPanel(m_context, this);
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
    m_actions =
        new MainActions(*this, m_context, *m_document, *m_files, *m_export, m_ratings->ToggleAction());
    m_input =
        new GraphInput(*this, m_context, *m_document, *m_graphPanel, *m_graphCanvas, *m_actions->NodeMenu());

    const std::pair<const char*, void (TMainForm::*)()> own[] = {
        {"About", &TMainForm::LogoButtonClick},      {"Help", &TMainForm::HelpButtonClick},
        {"ZoomIn", &TMainForm::ZoomInButtonClick},   {"ZoomOut", &TMainForm::ZoomOutButtonClick},
        {"Fit", &TMainForm::FitButtonClick},         {"EditGraph1", &TMainForm::SetupButtonClick},
        {"EditNodes1", &TMainForm::HandleEditNodes}, {"EditNodes", &TMainForm::HandleEditNodes},
    };
    for (const auto& [name, handler] : own)
        connect(m_actions->Find(name), &QAction::triggered, this, handler);
    // Each button runs its command's action; the settings button pops up its menu under itself.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->objectName() == QStringLiteral("SettingsButton"))
            continue;
        static const std::pair<const char*, const char*> kButtonActions[] = {
            {"LogoButton", "About"},       {"OpenButton", "Open"},   {"SaveButton", "SaveAs"},
            {"ClipBdButton", "Copy"},      {"PrintButton", "Print"}, {"HelpButton", "Help"},
            {"ZoomInButton", "ZoomIn"},    {"FitButton", "Fit"},     {"ZoomOutButton", "ZoomOut"},
            {"SetupButton", "EditGraph1"},
        };
        for (const auto& [buttonName, actionName] : kButtonActions)
            if (button->objectName() == QString::fromUtf8(buttonName))
                connect(button, &QToolButton::clicked, m_actions->Find(actionName), &QAction::trigger);
    }
    connect(findChild<QToolButton*>(QStringLiteral("SettingsButton")), &QToolButton::clicked, this,
            &TMainForm::SettingsButtonClick);
    // The Open button's arrow lists the recent files; a click on the button still opens the dialog.
    auto* open = findChild<QToolButton*>(QStringLiteral("OpenButton"));
    open->setMenu(m_files->RecentMenu());
    open->setPopupMode(QToolButton::MenuButtonPopup);

    // F10 reaches the menu bar, as Alt does.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
        menuBar()->setFocus(Qt::MenuBarFocusReason);
        menuBar()->setActiveAction(menuBar()->actions().value(0));
    });

    connect(m_input, &GraphInput::EditNodeRequested, this, &TMainForm::HandleEditNodes);
    connect(m_document, &SpectrumDocument::Changed, this, &TMainForm::ShowChange);
    connect(m_document, &SpectrumDocument::CurrentChanged, this, &TMainForm::ShowCurrent);
    connect(m_ratings, &RatingsPanel::SlotSelected, m_document, &SpectrumDocument::Select);
    connect(m_ratings->ToggleAction(), &QAction::toggled, this, &TMainForm::ShowRatingsPanel);
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
    SetPanelText(*m_statusPanel, text);
}

void TMainForm::SetResultText(const QString& text)
{
    SetPanelText(*m_resultPanel, text);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        HandleResize();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::HandleResize()
{
    const QWidget* central = centralWidget();
    const int w = central->width();
    const int h = central->height();
    // Two lines under the graph: the result line across the whole width, so that every rating
    // shows at the default size, and below it the button bar beside the status line.
    m_buttonPanel->move(m_buttonPanel->x(), h - 2 - m_buttonPanel->height());
    m_statusPanel->setGeometry(104, m_buttonPanel->y(), std::max(w - 2 - 104, 0), m_buttonPanel->height());
    m_resultPanel->setGeometry(2, m_buttonPanel->y() - 2 - m_buttonPanel->height(), std::max(w - 4, 0),
                               m_buttonPanel->height());
    m_graphPanel->setGeometry(-1, 0, w + 1, std::max(m_resultPanel->y(), 0));
    m_graphCanvas->resize(std::max(m_graphPanel->width() - 3, 1), std::max(m_graphPanel->height() - 3, 1));
    SetPanelText(*m_statusPanel, m_statusPanel->text());
    SetPanelText(*m_resultPanel, m_resultPanel->text());

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

void TMainForm::ShowRatingsPanel(bool shown)
{
    if (m_context.Settings)
        WritePanelShown(*m_context.Settings, kRatingsPanelName, shown);
    if (shown == m_ratings->isVisible())
        return;
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const int strip = m_ratings->sizeHint().width();
    if (!shown) {
        m_ratings->hide();
        if (normal && !m_ratings->isFloating())
            resize(width() - std::min(strip, std::max(width() - kMinimumClientSize.width(), 0)), height());
        return;
    }
    const QScreen* screen = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 4096, 4096);
    const QRect frame = frameGeometry();
    m_ratings->setFloating(false);
    if (normal && frame.width() + strip <= available.width()) {
        // The window grows by the strip so that the graph keeps its size, moving left where the
        // screen's right edge would cut it.
        resize(width() + strip, height());
        const int overhang = frame.x() + frame.width() + strip - (available.x() + available.width());
        if (overhang > 0)
            move(std::max(available.x(), frame.x() - overhang), frame.y());
    } else if (centralWidget()->width() - strip < kGraphMinimumWidth) {
        // Too narrow for both on this screen: the panel floats over the window, inside the screen.
        m_ratings->setFloating(true);
        const QSize size(std::min(strip, available.width()), std::min(height(), available.height()));
        m_ratings->setGeometry(QRect(available.topRight() - QPoint(size.width() - 1, 0), size));
    }
    m_ratings->show();
    m_ratings->Refresh();
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
    const auto* button = findChild<QToolButton*>(QStringLiteral("SettingsButton"));
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
        if (QFileInfo(PathFromLocal(argument)).isFile()) {
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
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (EqualsIgnoringCase(word, "-graph")) {
            double numbers[3] = {0.0, 0.0, 0.0};
            for (double& number : numbers)
                if (i + 1 < words.size())
                    number = NumberOrZero(words[++i]);
            SetGraphExtents(model, m_context.Surface, static_cast<float>(numbers[0]),
                            static_cast<float>(numbers[1]), static_cast<float>(numbers[2]));
            m_document->ViewChanged();
        } else if (EqualsIgnoringCase(word, "-8va")) {
            // The nodes follow the band set at the next set-up, which the first layout performs.
            model.BandStart = kOctaveBandStart;
            model.BandStep = kOctaveBandStep;
        } else if (EqualsIgnoringCase(word, "-third")) {
            model.BandStart = kThirdBandStart;
            model.BandStep = kThirdBandStep;
        } else {
            m_files->ReadDataFile(word);
        }
    }
    m_actions->UpdatePopupMenu();
}

} // namespace velmora
