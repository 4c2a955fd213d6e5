#include "app/MainForm.h"

#include "app/SpectrumDocument.h"
#include "app/VirtualKeys.h"
#include "edit/AppContext.h"
#include "edit/NodeEditing.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "platform/CanvasWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

// The main window's pointer and key handling on the graph.

namespace velmora {

bool TMainForm::IsPreviewedKey(QObject* watched, QEvent* event) const
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    // An ignored key travels on to the parents; preview it only at its first receiver.
    const QWidget* focus = QApplication::focusWidget();
    return focus ? widget == focus : widget == this;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (IsPreviewedKey(watched, event)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        HandleKeyDown(VirtualKeyFromQt(key->key(), key->modifiers()),
                      key->modifiers().testFlag(Qt::ShiftModifier),
                      key->modifiers().testFlag(Qt::ControlModifier));
        return false;
    }
    if (watched != GraphPanel && watched != GraphCanvas)
        return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    // The panel frames the bitmap by one pixel; the handlers take bitmap pixels either way,
    // which are device pixels on a high-density screen.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QPointF logical = mouse->position();
    if (watched == GraphPanel)
        logical -= GraphCanvas->pos();
    const QPoint at = GraphCanvas->toBitmap(logical);
    if (type == QEvent::MouseButtonPress)
        HandleMouseDown(mouse->button(), at.x(), at.y());
    else if (type == QEvent::MouseMove)
        HandleMouseMove(at.x(), at.y());
    else
        HandleMouseUp(mouse->button(), at.x(), at.y());
    return true;
}

void TMainForm::HandleMouseDown(Qt::MouseButton button, int x, int y)
{
    TSpectrumModel& model = m_context.Model;
    GraphSurface& surface = m_context.Surface;
    if (button == Qt::RightButton) {
        if (PickNode(model, surface, this, x, y) != PickedNothing) {
            GraphCanvas->update();
            PtsMenu->popup(GraphCanvas->mapToGlobal(GraphCanvas->fromBitmap(QPoint(x, y))));
            return;
        }
        if (surface.PanTo(x, y, false)) {
            surface.DragButton = kDragView;
            GraphPanel->grabMouse();
        }
    } else if (button == Qt::LeftButton) {
        if (PickNode(model, surface, this, x, y) == PickedNode) {
            // Overlays that follow the levels are taken off for the drag and put back at the release.
            if (model.HighlightMode < HighlightSafeLevels)
                DrawHighlight(model, surface);
            surface.DragButton = kDragNode;
            GraphPanel->grabMouse();
        } else if (PickOtherSpectrum(model, surface, this, x, y)) {
            m_document->Commit(QStringLiteral("Swap Spectra"));
        }
    }
    // Picking moves the selected marker in the bitmap.
    GraphCanvas->update();
}

void TMainForm::HandleMouseMove(int x, int y)
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
            GraphCanvas->RepaintNow();
        }
    } else if (surface.DragButton == kDragNode) {
        DragCurrentNode(model, surface, x, y);
        Recalculate(model, this);
        GraphCanvas->update();
    }
}

void TMainForm::HandleMouseUp(Qt::MouseButton button, int, int)
{
    TSpectrumModel& model = m_context.Model;
    GraphSurface& surface = m_context.Surface;
    GraphPanel->releaseMouse();
    if (button == Qt::RightButton && surface.DragButton == kDragView) {
        Redraw();
    } else if (button == Qt::LeftButton && surface.DragButton == kDragNode) {
        if (model.HighlightMode < HighlightSafeLevels)
            DrawHighlight(model, surface);
        GraphCanvas->update();
        // The whole drag, press to release, is one step.
        m_document->Commit(LevelStepText());
    }
    surface.DragButton = kDragNone;
}

void TMainForm::HandleKeyDown(int vk, bool shift, bool ctrl)
{
    if (vk == 0)
        return;
    // Enter opens the Edit Node dialog whatever modifier keys are held.
    if (vk == VkReturn) {
        HandleEditNodes();
        return;
    }
    if (ctrl) {
        m_context.Surface.ViewKey(vk, shift);
    } else if (HandleNodeKey(m_context.Model, m_context.Surface, this, vk, shift)) {
        // Steps on one node in a row are taken back together.
        m_document->Commit(LevelStepText(), m_context.Model.Nodes.Current);
    } else {
        m_document->Commit(QStringLiteral("Swap Spectra"));
    }
    // Node edits draw straight into the bitmap; show them at the next paint.
    GraphCanvas->update();
}

} // namespace velmora
