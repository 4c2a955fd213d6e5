#include "app/MainForm.h"

#include "edit/AppContext.h"
#include "dialogs/HelpWindow.h"
#include "app/RadioGroup.h"
#include "app/RecoveryFile.h"
#include "app/SpectrumDocument.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ControlsFont.h"
#include "dialogs/GraphForm.h"
#include "dialogs/NodesForm.h"
#include "edit/GraphSetup.h"
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
                        bool showTooltip, int iconSize)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(iconSize, iconSize));
    button->setGeometry(geometry);
    // Only the small button bar shows its hints; the toolbar buttons carry theirs unshown.
    if (showTooltip)
        button->setToolTip(hint);
    else
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
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
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
    SetOuterSize(ReadWindowSize(*m_context.Settings, {kMinimumClientSize.width(), kMinimumClientSize.height()},
                                {std::max(screenSize.width(), kDefaultWindowWidth),
                                 std::max(screenSize.height(), kDefaultWindowHeight)}));

    if (surface.Width < 1)
        surface.Width = 1;
    SetupGraph(m_context.Model, surface, this, true);
    Redraw();

    BuildDialogs();
    ConnectCommands();
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
                                        {x, 25, 62, 60}, QString::fromUtf8(button.hint), false, 40);
        x += 63;
    }

    GraphPanel = new QWidget(this);
    GraphPanel->setGeometry(-1, 90, 449, 316);
    GraphCanvas = new CanvasWidget(m_graphImage->image(), GraphPanel);
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
                                        {x, 1, 24, 22}, QString::fromUtf8(button.hint), true, 16);
        x += 24;
    }

    StatusPanel = MakeTextPanel(this, {104, 406, 110, 24});
    ResultPanel = MakeTextPanel(this, {218, 405, 229, 24});
}

void TMainForm::SetStatusText(const std::string& text)
{
    StatusPanel->setText(QString::fromStdString(text));
}

void TMainForm::SetResultText(const std::string& text)
{
    ResultPanel->setText(QString::fromStdString(text));
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
    const int w = width();
    const int h = height();
    ButtonPanel->move(ButtonPanel->x(), h - 2 - ButtonPanel->height());
    StatusPanel->move(StatusPanel->x(), ButtonPanel->y());
    ResultPanel->setGeometry(ResultPanel->x(), h - 2 - ResultPanel->height(),
                             w - 11 - ButtonPanel->width() - StatusPanel->width(), StatusPanel->height());
    GraphPanel->resize(w - GraphPanel->x(), h - GraphPanel->y() - 2 - StatusPanel->height());
    GraphCanvas->resize(GraphPanel->width() - 3, GraphPanel->height() - 3);

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
            m_highlightItems->Check(FullOctaveBands);
            model.BandStart = kOctaveBandStart;
            model.BandStep = kOctaveBandStep;
        } else if (EqualsIgnoringCase(word, "-third")) {
            m_highlightItems->Check(ThirdOctaveBands);
            model.BandStart = kThirdBandStart;
            model.BandStep = kThirdBandStep;
        } else {
            ReadDataFile(word);
        }
    }
}

} // namespace velmora
