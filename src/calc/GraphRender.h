#pragma once

#include <QByteArray>

#include <optional>
#include <string_view>

namespace velmora {

class FileModel;
struct TSpectrumModel;

/** The picture files velmora-calc draws. */
enum class PictureFormat { Svg, Png, Pdf };

/** The format named by a file name's ending, ".svg", ".png" or ".pdf" in any case; nothing for others. */
std::optional<PictureFormat> PictureFormatOfPath(std::string_view path);

/**
 * The overlay named none, dba, dbb, dbc, dbd, results, safe, stc or nr (exactly) as a
 * HighlightCode; nothing for any other name.
 */
std::optional<int> OverlayNamed(std::string_view name);

/**
 * Shows the overlay mode (a HighlightCode) on a model that shows none, as the window's overlay
 * menu does: the calculated results are brought up to date first. HighlightNone changes nothing.
 */
void ShowOverlay(TSpectrumModel& model, int mode);

/**
 * The graph of the file's model at the surface's size. PNG is the window's own bitmap: the same
 * canvas and drawing, background and all. SVG and PDF are the vector picture the window copies to
 * the clipboard (grey grid, no background). Empty when the picture could not be made.
 */
QByteArray RenderGraph(FileModel& file, PictureFormat format);

} // namespace velmora
