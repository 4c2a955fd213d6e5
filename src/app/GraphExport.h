#pragma once

#include <QObject>

class QPaintDevice;
class QWidget;

namespace velmora {

struct AppContext;

/**
 * The graph's ways out of the window: the clipboard (the graph as a vector picture with a bitmap of
 * it, and the band table for spreadsheets) and the printer (the window as it shows).
 */
class GraphExport : public QObject
{
    Q_OBJECT

public:
    /** window is what Print prints and what owns the messages. */
    GraphExport(QWidget& window, AppContext& context);

    /** Puts the graph on the clipboard as an SVG picture, with a PNG rendering of it and the band table. */
    void ClipBdButtonClick();
    /** Runs the print dialog and prints the window's image. */
    void PrintButtonClick();
    /**
     * Draws the window's client area on a page at the top left, scaled by device over screen
     * resolution so that it has the size it has on screen; a window larger than the page is scaled
     * down further, keeping its proportions, so that nothing of it is cut off.
     */
    void PrintForm(QPaintDevice& page);

private:
    QWidget& m_window;
    AppContext& m_context;
};

} // namespace velmora
