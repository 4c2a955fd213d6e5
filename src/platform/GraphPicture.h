#pragma once

#include <QByteArray>

class QPaintDevice;
class QPainter;

namespace velmora {

struct TSpectrumModel;
class ComparisonSet;
class Draw2DClass;

/** Pixels per inch that the graph's pixels count as in vector pictures: the screen's. */
inline constexpr int kPictureDpi = 96;

/**
 * Draws the graph of the model, with the comparison set when one is given, onto a vector paint
 * device as drawing commands: the surface's mapping and drawing size (Width x Height pixels),
 * export colours (grey frame and grid) and no background fill. The surface is then put back on the canvas and
 * control it had, with its export flag as before; its own bitmap is not touched. False, and nothing drawn,
 * when no painter can be started on the device.
 */
bool DrawGraphPicture(const TSpectrumModel& model, Draw2DClass& surface, QPaintDevice& device,
                      const ComparisonSet* set = nullptr);

/**
 * DrawGraphPicture with a painter already active, in its coordinates, transformation and font:
 * the surface's pixels are the painter's units, and scale (1 or more) is the pixel scale the
 * lines, markers and the painter's font are grown by, as on a screen of that density. The surface
 * is put back as DrawGraphPicture puts it back; the painter keeps its state.
 */
void DrawGraphPicture(const TSpectrumModel& model, Draw2DClass& surface, QPainter& painter, int scale,
                      const ComparisonSet* set = nullptr);

/**
 * The graph as an SVG document of the surface's Width x Height pixels at kPictureDpi, titled
 * "Velmora", drawn by DrawGraphPicture; empty when it could not be made.
 */
QByteArray GraphSvg(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set = nullptr);

/**
 * The graph as a one-page PDF document whose page is exactly the surface's Width x Height pixels at
 * kPictureDpi, with no margins, drawn by DrawGraphPicture; empty when it could not be made.
 */
QByteArray GraphPdf(const TSpectrumModel& model, Draw2DClass& surface, const ComparisonSet* set = nullptr);

} // namespace velmora
