#pragma once

#include <QObject>

class QFrame;
class QLabel;
class QMainWindow;
class QToolButton;
class QWidget;

namespace velmora {

class CanvasWidget;
class ImageCanvas;

/**
 * The main window's panels where the program's definition places them: the toolbar strip (the
 * banner over the seven picture buttons) as the window's toolbar, and in the central area the graph
 * with, under it, the result line across the whole width and below that the small button bar beside
 * the status line. Every widget carries the object name the definition gives it.
 */
class WindowLayout : public QObject
{
    Q_OBJECT

public:
    /** Builds the panels into window; the graph control shows image. */
    WindowLayout(QMainWindow& window, const ImageCanvas& image);

    CanvasWidget& GraphCanvas() const { return *m_graphCanvas; }
    QWidget& GraphPanel() const { return *m_graphPanel; }
    QLabel& StatusPanel() const { return *m_statusPanel; }
    QLabel& ResultPanel() const { return *m_resultPanel; }
    /** The toolbar button or small button named name ("OpenButton", "FitButton"). */
    QToolButton* Button(const char* name) const;

    /** Places the graph and the lines under it for the central area's present size. */
    void Arrange();

private:
    QWidget* m_central = nullptr;
    QWidget* m_graphPanel = nullptr;
    CanvasWidget* m_graphCanvas = nullptr;
    QFrame* m_buttonPanel = nullptr;
    QLabel* m_statusPanel = nullptr;
    QLabel* m_resultPanel = nullptr;
};

} // namespace velmora
