#include "app/MainForm.h"

#include "app/PanelText.h"
#include "app/RadioGroup.h"
#include "app/RatingsPanel.h"
#include "app/RecoveryFile.h"
#include "app/SpectrumDocument.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ControlsFont.h"
#include "dialogs/GraphForm.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NodesForm.h"
#include "edit/AppContext.h"
#include "edit/GraphSetup.h"
#include "edit/NodeEditing.h"
#include "entry/NumberText.h"
#include "platform/CanvasWidget.h"
#include "platform/ImageCanvas.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

// The pictures live in a static library, whose resource registration the linker would drop.
static void InitResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

struct ToolButtonInfo {
    QToolButton* TMainForm::*member;
    const char* icon;
    const char* hint;
};

QToolButton* MakeButton(QWidget* parent, const QString& icon, const QRect& geometry, const QString& hint,
                        int iconSize)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setGeometry(geometry);
    // Pictures alone do not say what a button does; every button shows its hint.
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

QFrame* MakeSunkenPanel(QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* MakeTextPanel(QWidget* parent, const QRect& geometry)
{
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(geometry);
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
    : QWidget(parent), m_context(context), m_graphImage(std::make_unique<ImageCanvas>())
{
    InitResources();
    setWindowTitle(QStringLiteral("Velmora"));
    setFont(ControlsFont());
    setMinimumSize(kMinimumClientSize);
    resize(448, 432);
    BuildLayout();
    BuildMenus();

    Draw2DClass& surface = m_context.Surface;
    surface.SetCanvas(m_graphImage.get(), GraphCanvas);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->availableVirtualSize() : QSize(4096, 4096);
    SetOuterSize(ReadWindowSize(*m_context.Settings,
                                {kMinimumClientSize.width(), kMinimumClientSize.height()},
                                {std::max(screenSize.width(), kDefaultWindowWidth),
                                 std::max(screenSize.height(), kDefaultWindowHeight)}));

    if (surface.Width < 1)
        surface.Width = 1;
    SetupGraph(m_context.Model, surface, this, true);
    Redraw();

    BuildDialogs();
    ConnectCommands();
    // A .csv or .txt file dropped on the window is imported as levels.
    setAcceptDrops(true);
    BuildDocument();

    GraphPanel->installEventFilter(this);
    GraphCanvas->installEventFilter(this);
    // Keyboard preview: every key pressed while this window is active is seen here first.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    // The undo history says it went clean as it is destroyed, after this window's part of itself.
    m_document->disconnect(this);
    m_document->UndoStack().disconnect(this);
}

void TMainForm::BuildLayout()
{
    MainPanel = MakeSunkenPanel(this, {2, 4, 443, 86});
    Image1 = new QLabel(MainPanel);
    Image1->setPixmap(QIcon(QStringLiteral(":/icons/banner.svg")).pixmap(440, 23));
    Image1->setGeometry(1, 1, 440, 23);

    const ToolButtonInfo toolbar[] = {
        {&TMainForm::LogoButton, "logo", "About..."},
        {&TMainForm::OpenButton, "open", "Open Velmora data file."},
        {&TMainForm::SaveButton, "save", "Save Velmora data file."},
        {&TMainForm::ClipBdButton, "clipboard", "Copy image to clipboard."},
        {&TMainForm::PrintButton, "print", "Print form."},
        {&TMainForm::SettingsButton, "settings", "Edit graph settings"},
        {&TMainForm::HelpButton, "help", "Display help."},
    };
    int x = 2;
    for (const ToolButtonInfo& button : toolbar) {
        this->*button.member = MakeButton(MainPanel, QStringLiteral(":/icons/%1.svg").arg(button.icon),
                                          {x, 25, 62, 60}, QString::fromUtf8(button.hint), 40);
        x += 63;
    }

    GraphPanel = new QWidget(this);
    GraphPanel->setGeometry(-1, 90, 449, 316);
    GraphCanvas = new CanvasWidget(*m_graphImage, GraphPanel);
    GraphCanvas->move(1, 1);

    ButtonPanel = MakeSunkenPanel(this, {2, 406, 98, 24});
    const ToolButtonInfo small[] = {
        {&TMainForm::ZoomInButton, "zoomin", "Zoom in"},
        {&TMainForm::FitButton, "fit", "Zoom to fit"},
        {&TMainForm::ZoomOutButton, "zoomout", "Zoom out"},
        {&TMainForm::SetupButton, "setup", "Edit graph settings"},
    };
    x = 1;
    for (const ToolButtonInfo& button : small) {
        this->*button.member = MakeButton(ButtonPanel, QStringLiteral(":/icons/%1.svg").arg(button.icon),
                                          {x, 1, 24, 22}, QString::fromUtf8(button.hint), 16);
        x += 24;
    }

    StatusPanel = MakeTextPanel(this, {104, 406, 110, 24});
    ResultPanel = MakeTextPanel(this, {2, 380, 443, 24});

    Ratings = new RatingsPanel(m_context, this);
    connect(Ratings, &RatingsPanel::SlotSelected, this, [this](int slot) {
        SelectNode(m_context.Model, m_context.Surface, this, slot);
        GraphCanvas->update();
    });
}

void TMainForm::SetStatusText(const std::string& text)
{
    SetPanelText(*StatusPanel, QString::fromStdString(text));
    // Written whenever another node becomes current, so the panel's row follows the graph here.
    if (Ratings)
        Ratings->SelectSlot(m_context.Model.Nodes.Current);
}

void TMainForm::SetResultText(const std::string& text)
{
    SetPanelText(*ResultPanel, QString::fromStdString(text));
    // Every recalculation ends here, drag steps included.
    if (Ratings)
        Ratings->Refresh();
}

void TMainForm::Redraw()
{
    m_context.Surface.Redraw();
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    HandleResize();
}

void TMainForm::HandleResize()
{
    const int h = height();
    // The ratings panel, when it shows, takes a strip at the right. Two lines under the graph: the
    // result line across the whole width, so that every rating shows at the default size, and
    // below it the button bar beside the status line.
    const int w = width() - Ratings->Dock(width(), h);
    ButtonPanel->move(ButtonPanel->x(), h - 2 - ButtonPanel->height());
    StatusPanel->setGeometry(StatusPanel->x(), ButtonPanel->y(), w - 2 - StatusPanel->x(),
                             ButtonPanel->height());
    ResultPanel->setGeometry(ResultPanel->x(), ButtonPanel->y() - 2 - ButtonPanel->height(),
                             w - 2 * ResultPanel->x(), ButtonPanel->height());
    GraphPanel->resize(w - GraphPanel->x(), ResultPanel->y() - GraphPanel->y());
    GraphCanvas->resize(GraphPanel->width() - 3, GraphPanel->height() - 3);
    SetPanelText(*StatusPanel, StatusPanel->text());
    SetPanelText(*ResultPanel, ResultPanel->text());

    // The bitmap follows the panel at the screen's pixel density, so that nothing is cut off
    // and every line and letter is drawn on the screen's own pixels.
    m_graphImage->setPixelRatio(GraphCanvas->devicePixelRatioF());
    m_graphImage->resize(QSize(GraphCanvas->ClientWidth(), GraphCanvas->ClientHeight()));
    m_context.Surface.SetCanvas(m_graphImage.get(), GraphCanvas);
    SetupGraph(m_context.Model, m_context.Surface, this, false);
    Redraw();
    // Rebuilding the nodes for the view is no edit.
    if (m_document)
        m_document->Rebase();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!MaybeSaveChanges()) {
        event->ignore();
        return;
    }
    HandleClose();
    m_recovery->Remove();
    QWidget::closeEvent(event);
}

void TMainForm::HandleClose()
{
    WriteWindowSize(*m_context.Settings, OuterSize());
}

void TMainForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window moved to a screen of another pixel density lays its graph out anew.
    if (QWindow* window = windowHandle(); window && !m_watchingScreen) {
        m_watchingScreen = true;
        connect(window, &QWindow::screenChanged, this, [this] { HandleResize(); });
    }
    // The frame's size is known only once the window system has decorated the window.
    if (!m_frameAdjusted)
        QTimer::singleShot(0, this, [this] {
            m_frameAdjusted = true;
            SetOuterSize(m_requestedOuterSize);
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
        if (QFileInfo(QString::fromStdString(argument)).isFile()) {
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
            SetGraphExtents(model, m_context.Surface, this, static_cast<float>(numbers[0]),
                            static_cast<float>(numbers[1]), static_cast<float>(numbers[2]));
        } else if (EqualsIgnoringCase(word, "-8va")) {
            m_bandItems->Check(FullOctaveBands);
            model.BandStart = kOctaveBandStart;
            model.BandStep = kOctaveBandStep;
        } else if (EqualsIgnoringCase(word, "-third")) {
            m_bandItems->Check(ThirdOctaveBands);
            model.BandStart = kThirdBandStart;
            model.BandStep = kThirdBandStep;
        } else {
            ReadDataFile(word);
        }
    }
}

} // namespace velmora
