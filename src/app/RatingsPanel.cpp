#include "app/RatingsPanel.h"

#include "app/RatingList.h"
#include "app/RatingsBandTable.h"
#include "edit/AppContext.h"
#include "io/PanelSetting.h"
#include "model/RatingLines.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumRatings.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <vector>

namespace velmora {

RatingsPanel::RatingsPanel(AppContext& context, QMainWindow& window)
    : QDockWidget(&window), m_context(context), m_window(&window)
{
    setObjectName(QStringLiteral("RatingsPanel"));
    setWindowTitle(QStringLiteral("Ratings"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(4);
    const bool folded = m_context.Settings && ReadPanelShown(*m_context.Settings, kImpactFoldedName);
    List = new RatingList(content, folded);
    layout->addWidget(List);
    Table = new RatingsBandTable(content);
    layout->addWidget(Table, 1);
    layout->addWidget(List->AdviceBox());
    // Other views of the ratings ("Compare") take tabs beside this one.
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("RatingsPages"));
    m_pages->addTab(content, QStringLiteral("Ratings"));
    setWidget(m_pages);
    // The ratings page is brought up to date as it comes back to the front.
    connect(m_pages, &QTabWidget::currentChanged, this, &RatingsPanel::Refresh);

    m_stripWidth = Table->width() + layout->contentsMargins().left() + layout->contentsMargins().right() +
                   2 * m_pages->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);

    m_toggle = new QAction(QStringLiteral("&Ratings Panel"), this);
    m_toggle->setObjectName(QStringLiteral("RatingsPanelAction"));
    m_toggle->setCheckable(true);
    m_toggle->setShortcut(Qt::Key_F2);
    m_toggle->setStatusTip(QStringLiteral("Show the ratings, band by band, and what the next class needs."));

    connect(Table, &RatingsBandTable::SlotSelected, this, &RatingsPanel::SlotSelected);
    connect(List, &RatingList::CurveChosen, this, &RatingsPanel::CurveChosen);
    connect(List, &RatingList::ImpactFoldedChanged, this, &RatingsPanel::ImpactFolded);
}

void RatingsPanel::AddPage(QWidget* page, const QString& title)
{
    m_pages->addTab(page, title);
}

void RatingsPanel::ShowPage(QWidget* page)
{
    m_toggle->setChecked(true);
    m_pages->setCurrentWidget(page);
}

QSize RatingsPanel::sizeHint() const
{
    return {m_stripWidth + 4, QDockWidget::sizeHint().height()};
}

bool RatingsPanel::RatingsShown() const
{
    return !isHidden() && m_pages->currentIndex() == 0;
}

void RatingsPanel::Refresh()
{
    // Behind the Compare tab a refresh would rewrite cells nobody sees, on every step of a drag.
    if (!RatingsShown())
        return;
    const TSpectrumModel& model = m_context.Model;
    const int type = model.Nodes.DataType;
    const bool rated = IsRatedDataType(type);
    List->Show(rated ? RatingLines(model.Ratings, FamilyOf(type)) : std::vector<RatingLine>(),
               model.ShownCurve, rated);
    Table->ShowColumns(rated ? std::optional(FamilyOf(type)) : std::nullopt, !List->ImpactFolded());
    Table->Refresh(model.Ratings);
    SelectSlot(model.Nodes.Current);
}

void RatingsPanel::ImpactFolded(bool folded)
{
    if (m_context.Settings)
        WritePanelShown(*m_context.Settings, kImpactFoldedName, folded);
    Refresh();
}

void RatingsPanel::SelectSlot(int slot)
{
    if (!RatingsShown())
        return;
    const QSignalBlocker blocker(Table);
    if (slot < 0 || slot >= Table->BandRows()) {
        Table->clearSelection();
        return;
    }
    if (Table->currentRow() != slot || Table->selectedItems().isEmpty())
        Table->setCurrentCell(slot, 0);
}

void RatingsPanel::SetShown(bool shown)
{
    if (m_context.Settings)
        WritePanelShown(*m_context.Settings, kRatingsPanelName, shown);
    if (shown == isVisible())
        return;
    QMainWindow& window = *m_window;
    const bool normal = !(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const int strip = sizeHint().width();
    if (!shown) {
        hide();
        if (normal && !isFloating())
            window.resize(window.width() -
                              std::min(strip, std::max(window.width() - window.minimumWidth(), 0)),
                          window.height());
        return;
    }
    const QScreen* screen =
        window.windowHandle() ? window.windowHandle()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 4096, 4096);
    const QRect frame = window.frameGeometry();
    setFloating(false);
    if (normal && frame.width() + strip <= available.width()) {
        // The window grows by the strip so that the graph keeps its size, moving left where the
        // screen's right edge would cut it.
        window.resize(window.width() + strip, window.height());
        const int overhang = frame.x() + frame.width() + strip - (available.x() + available.width());
        if (overhang > 0)
            window.move(std::max(available.x(), frame.x() - overhang), frame.y());
    } else if (window.centralWidget()->width() - strip < kGraphMinimumWidth) {
        // Too narrow for both on this screen: the panel floats over the window, inside the screen.
        setFloating(true);
        const QSize size(std::min(strip, available.width()), std::min(window.height(), available.height()));
        setGeometry(QRect(available.topRight() - QPoint(size.width() - 1, 0), size));
    }
    show();
    Refresh();
}

void RatingsPanel::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit CloseRequested();
}

} // namespace velmora
