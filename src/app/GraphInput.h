#pragma once

#include <QObject>

class QMenu;
class QWidget;

namespace velmora {

struct AppContext;
class CanvasWidget;
class SpectrumDocument;

/**
 * The pointer and the keys on the graph. A left press on a node selects it and drags it, each move
 * a live change of the level that the release makes one undoable step; a left press on the other
 * spectrum swaps the spectra; a right press on the spectrum opens the node menu, on a compared spectrum's
 * row of the legend that spectrum's menu, elsewhere it pans.
 * Every key pressed while the window is active is seen here first (keyboard preview): the node keys,
 * Ctrl with the view keys, Enter for the Edit Node dialog, and Shift+F10 or the Menu key for the node
 * menu at the current node.
 */
class GraphInput : public QObject
{
    Q_OBJECT

public:
    /** panel frames canvas; nodeMenu pops up on the spectrum. Installs itself as their event filter. */
    GraphInput(QWidget& window, AppContext& context, SpectrumDocument& document, QWidget& panel,
               CanvasWidget& canvas, QMenu& nodeMenu);
    ~GraphInput() override;

    /** Pointer events on the graph, in pixels of the graph bitmap. */
    void HandleMouseDown(Qt::MouseButton button, int x, int y);
    void HandleMouseMove(int x, int y);
    void HandleMouseUp(Qt::MouseButton button, int x, int y);
    /** A key pressed while the window is active; vk is a virtual-key code. True when it acted on it. */
    bool HandleKeyDown(int vk, bool shift, bool ctrl);
    /** Pops up the node menu at the current node, or at the graph's centre without one. */
    void ShowNodeMenu();

signals:
    /** Enter was pressed: the Edit Node dialog should open. */
    void EditNodeRequested();
    /** A right press on the legend row of spectrum (its index in the set), at a global position. */
    void LegendMenuRequested(int spectrum, const QPoint& at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** True for a key press that the window should preview: one aimed at it or its focus widget. */
    bool IsPreviewedKey(QObject* watched, QEvent* event) const;

    QWidget& m_window;
    AppContext& m_context;
    SpectrumDocument& m_document;
    QWidget& m_panel;
    CanvasWidget& m_canvas;
    QMenu& m_nodeMenu;
    /** The dragged node's level at the press: the drag's step goes from there. */
    float m_pressLevel = 0.0f;
};

} // namespace velmora
