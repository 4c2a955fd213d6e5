#include "app/WindowLayout.h"

#include "app/PanelText.h"
#include "app/RatingsPanel.h"
#include "platform/CanvasWidget.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace velmora {

namespace {

/** A picture button: its name, picture and hint. */
struct ButtonInfo {
    const char* name;
    const char* icon;
    const char* hint;
};

void MakeButtons(QWidget* parent, std::initializer_list<ButtonInfo> buttons, QRect place, int step,
                 int iconSize)
{
    for (const ButtonInfo& info : buttons) {
        auto* button = new QToolButton(parent);
        button->setObjectName(QString::fromUtf8(info.name));
        button->setAutoRaise(true);
        // Tab reaches every button, so that each can be used from the keyboard alone.
        button->setFocusPolicy(Qt::TabFocus);
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(info.icon))));
        button->setIconSize(QSize(iconSize, iconSize));
        button->setGeometry(place);
        // Pictures alone do not say what a button does; every button shows its hint.
        button->setToolTip(QString::fromUtf8(info.hint));
        button->setStatusTip(QString::fromUtf8(info.hint));
        button->setAccessibleName(QString::fromUtf8(info.hint));
        place.translate(step, 0);
    }
}

QLabel* MakeTextPanel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

WindowLayout::WindowLayout(QMainWindow& window, const ImageCanvas& image) : QObject(&window)
{
    auto* mainPanel = new QFrame;
    mainPanel->setObjectName(QStringLiteral("MainPanel"));
    mainPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mainPanel->setFixedSize(443, 86);
    auto* banner = new QLabel(mainPanel);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setPixmap(QIcon(QStringLiteral(":/icons/banner.svg")).pixmap(440, 23));
    banner->setGeometry(1, 1, 440, 23);
    MakeButtons(mainPanel,
                {{"LogoButton", "logo", "About..."},
                 {"OpenButton", "open", "Open Velmora data file."},
                 {"SaveButton", "save", "Save Velmora data file."},
                 {"ClipBdButton", "clipboard", "Copy image to clipboard."},
                 {"PrintButton", "print", "Print form."},
                 {"SettingsButton", "settings", "Edit graph settings"},
                 {"HelpButton", "help", "Display help."}},
                {2, 25, 62, 60}, 63, 40);
    QToolBar* strip = window.addToolBar(QStringLiteral("Toolbar"));
    strip->setObjectName(QStringLiteral("Toolbar"));
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->toggleViewAction()->setEnabled(false);
    strip->addWidget(mainPanel);

    m_central = new QWidget(&window);
    m_central->setObjectName(QStringLiteral("Central"));
    m_central->setMinimumWidth(RatingsPanel::kGraphMinimumWidth);
    window.setCentralWidget(m_central);
    m_graphPanel = new QWidget(m_central);
    m_graphPanel->setObjectName(QStringLiteral("GraphPanel"));
    m_graphCanvas = new CanvasWidget(image, m_graphPanel);
    m_graphCanvas->setObjectName(QStringLiteral("GraphCanvas"));
    // The keys act on the graph: it takes the focus first, and back on a click.
    m_graphCanvas->setFocusPolicy(Qt::StrongFocus);
    m_graphCanvas->setAccessibleName(QStringLiteral("Graph"));
    m_graphCanvas->move(1, 1);

    m_buttonPanel = new QFrame(m_central);
    m_buttonPanel->setObjectName(QStringLiteral("ButtonPanel"));
    m_buttonPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_buttonPanel->setGeometry(2, 0, 98, 24);
    MakeButtons(m_buttonPanel,
                {{"ZoomInButton", "zoomin", "Zoom in"},
                 {"FitButton", "fit", "Zoom to fit"},
                 {"ZoomOutButton", "zoomout", "Zoom out"},
                 {"SetupButton", "setup", "Edit graph settings"}},
                {1, 1, 24, 22}, 24, 16);
    m_statusPanel = MakeTextPanel(m_central, "StatusPanel");
    m_resultPanel = MakeTextPanel(m_central, "ResultPanel");
}

QToolButton* WindowLayout::Button(const char* name) const
{
    return parent()->findChild<QToolButton*>(QString::fromUtf8(name));
}

void WindowLayout::Arrange()
{
    const int w = m_central->width();
    const int h = m_central->height();
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
}

} // namespace velmora
