#include "app/GraphInput.h"

#include "app/SpectrumDocument.h"
#include "app/VirtualKeys.h"
#include "edit/AppContext.h"
#include "edit/LevelEdit.h"
#include "edit/NodeEditing.h"
#include "edit/SpectrumEdits.h"
#include "graph/ComparisonPlot.h"
#include "graph/RatingCurvePlot.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "platform/CanvasWidget.h"
#include "platform/VectorState.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace velmora {

GraphInput::GraphInput(QWidget& window, AppContext& context, SpectrumDocument& document, QWidget& panel,
                       CanvasWidget& canvas, QMenu& nodeMenu)
    : QObject(&window), m_window(window), m_context(context), m_document(document), m_panel(panel),
      m_canvas(canvas), m_nodeMenu(nodeMenu)
{
    panel.installEventFilter(this);
    canvas.installEventFilter(this);
    // Keyboard preview: every key pressed while the window is active is seen here first.
    qApp->installEventFilter(this);
}

GraphInput::~GraphInput()
{
    qApp->removeEventFilter(this);
}

bool GraphInput::IsPreviewedKey(QObject* watched, QEvent* event) const
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &m_window)
        return false;
    // Keys that move through the menu bar are the menu bar's.
    const QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<const QMenuBar*>(focus) || qobject_cast<const QMenuBar*>(widget))
        return false;
    // An ignored key travels on to the parents; preview it only at its first receiver.
    return focus ? widget == focus : widget == &m_window;
}

bool GraphInput::eventFilter(QObject* watched, QEvent* event)
{
    // Every event passes here first: whatever Qt drew since, the core's arithmetic runs at full speed.
    ClearUpperVectorState();

    if (IsPreviewedKey(watched, event)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        if (key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
            ShowNodeMenu();
            return true;
        }
        // A key the graph acted on is the graph's: a focused button does not also move the focus.
        return HandleKeyDown(VirtualKeyFromQt(key->key(), modifiers), modifiers.testFlag(Qt::ShiftModifier),
                             modifiers.testFlag(Qt::ControlModifier));
    }
    if (watched != &m_panel && watched != &m_canvas)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    // The panel frames the bitmap by one pixel; the handlers take bitmap pixels either way,
    // which are device pixels on a high-density screen.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QPointF logical = mouse->position();
    if (watched == &m_panel)
        logical -= m_canvas.pos();
    const QPoint at = m_canvas.toBitmap(logical);
    if (type == QEvent::MouseButtonPress)
        HandleMouseDown(mouse->button(), at.x(), at.y());
    else if (type == QEvent::MouseMove)
        HandleMouseMove(at.x(), at.y());
    else
        HandleMouseUp(mouse->button(), at.x(), at.y());
    return true;
}

void GraphInput::HandleMouseDown(Qt::MouseButton button, int x, int y)
{
    TSpectrumModel& model = m_context.Model;
    GraphSurface& surface = m_context.Surface;
    int node = -1;
    const int picked = PickNode(model, surface, x, y, node);
    if (picked == PickedNode)
        m_document.Select(node);
    if (button == Qt::RightButton) {
        const QPoint at = m_canvas.mapToGlobal(m_canvas.fromBitmap(QPoint(x, y)));
        if (picked != PickedNothing) {
            m_nodeMenu.popup(at);
            return;
        }
        const ComparisonSet& set = m_context.Comparison;
        const std::vector<LegendRow> legend = LegendLayout(set, set.EditedNote(model), surface);
        const LegendRow* row = LegendRowAt(legend, x, y);
        if (row && row->kind == LegendRow::Compared) {
            emit LegendMenuRequested(row->spectrum, at);
            return;
        }
        if (surface.PanTo(x, y, false)) {
            surface.DragButton = kDragView;
            m_panel.grabMouse();
        }
    } else if (button == Qt::LeftButton) {
        if (picked == PickedNode) {
            // Overlays that follow the levels, the rating curve among them, are taken off for the
            // drag and come back with the full redraw at the release; the curve's label stays.
            if (model.HighlightMode < HighlightSafeLevels)
                DrawHighlight(model, surface);
            DrawRatingCurve(model, surface);
            m_pressLevel = model.Nodes.Node[node].Y;
            surface.DragButton = kDragNode;
            m_panel.grabMouse();
        } else if (PickOtherSpectrum(model, surface, x, y)) {
            m_document.Perform(MakeSwapEdit());
        }
    }
    m_canvas.update();
}

void GraphInput::HandleMouseMove(int x, int y)
{
    TSpectrumModel& model = m_context.Model;
    GraphSurface& surface = m_context.Surface;
    if (surface.DragButton == kDragView) {
        if (surface.PanTo(x, y, true)) {
            // A quick picture while the view moves; the release draws the full graph.
            surface.Clear(kButtonFace);
            surface.DrawGrid();
            DrawOtherSpectrum(model, surface);
            DrawNodes(model.Nodes, surface);
            m_canvas.RepaintNow();
        }
    } else if (surface.DragButton == kDragNode) {
        // The node and its two segments move in the bitmap; the ratings follow at once.
        if (DragCurrentNode(model, surface, x, y)) {
            Recalculate(model);
            m_document.ViewChanged();
        }
        m_canvas.update();
    }
}

void GraphInput::HandleMouseUp(Qt::MouseButton button, int, int)
{
    TSpectrumModel& model = m_context.Model;
    GraphSurface& surface = m_context.Surface;
    m_panel.releaseMouse();
    const int drag = surface.DragButton;
    surface.DragButton = kDragNone;
    if (button == Qt::RightButton && drag == kDragView) {
        surface.Redraw();
    } else if (button == Qt::LeftButton && drag == kDragNode) {
        // The whole drag, press to release, is one step from the level at the press; a press
        // without a move is none, and only the overlay taken off for it comes back.
        const float dragged = GetNode(model, model.Nodes.Current).Y;
        if (std::bit_cast<std::uint32_t>(dragged) == std::bit_cast<std::uint32_t>(m_pressLevel)) {
            surface.Redraw();
            return;
        }
        // The step starts from the spectrum as it was at the press, its results included.
        SetNodeLevel(model, model.Nodes.Current, m_pressLevel);
        Recalculate(model);
        m_document.Perform(MakeLevelEdit(model, dragged, LevelEditKind::Drag));
    }
}

bool GraphInput::HandleKeyDown(int vk, bool shift, bool ctrl)
{
    if (vk == 0)
        return false;
    // Enter opens the Edit Node dialog whatever modifier keys are held.
    if (vk == VkReturn) {
        emit EditNodeRequested();
        return true;
    }
    const bool handled = ctrl ? m_context.Surface.ViewKey(vk, shift)
                              : HandleNodeKey(m_context.Model, m_context.Surface, m_document, vk, shift);
    m_canvas.update();
    return handled;
}

void GraphInput::ShowNodeMenu()
{
    const TSpectrumModel& model = m_context.Model;
    const Draw2DClass& surface = m_context.Surface;
    QPoint at(surface.Width / 2, surface.Height / 2);
    if (ValidNode(model, model.Nodes.Current)) {
        const TNode node = GetNode(model, model.Nodes.Current);
        const TPoint2D pixel = surface.WorldToPixel(node.X, node.Y);
        if (std::isfinite(pixel.x) && std::isfinite(pixel.y))
            at = QPoint(static_cast<int>(pixel.x), static_cast<int>(pixel.y));
    }
    // A node scrolled out of view: the menu opens at the nearest point of the graph.
    at.setX(std::clamp(at.x(), 0, std::max(surface.Width - 1, 0)));
    at.setY(std::clamp(at.y(), 0, std::max(surface.Height - 1, 0)));
    m_nodeMenu.popup(m_canvas.mapToGlobal(m_canvas.fromBitmap(at)));
}

} // namespace velmora
