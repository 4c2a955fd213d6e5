#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TSpectrumModel;

/** The main window's graph at its default size, in pixels. */
inline constexpr int kDefaultGraphWidth = 446;
inline constexpr int kDefaultGraphHeight = 287;

/** Largest width or height of a drawn graph, in pixels. */
inline constexpr int kMaxGraphSide = 4096;

/** Largest --scale: device pixels per pixel of a drawn graph. */
inline constexpr int kMaxGraphScale = 4;

/** The picture files velmora-calc draws. */
enum class PictureFormat { Svg, Png, Pdf };

/** What `render` was asked to draw, its arguments checked. */
struct RenderRequest {
    std::string input;
    /** Files drawn with the input as its comparison set, in order. */
    std::vector<std::string> compared;
    std::string output;
    PictureFormat format = PictureFormat::Svg;
    /** A HighlightCode. */
    int overlay = 0;
    /** Pixels, 1 to kMaxGraphSide each. */
    int width = kDefaultGraphWidth;
    int height = kDefaultGraphHeight;
    /** Device pixels per pixel, 1 to kMaxGraphScale; the picture is scale times larger each way. */
    int scale = 1;
    /** Minimum, maximum and step of the level axis in dB, when given; finite. */
    std::optional<std::array<double, 3>> extents;
};

/** The format named by a file name's ending, ".svg", ".png" or ".pdf" in any case; nothing for others. */
std::optional<PictureFormat> PictureFormatOfPath(std::string_view path);

/**
 * The overlay named none, dba, dbb, dbc, dbd, results, safe, stc or nr (exactly) as a
 * HighlightCode; nothing for any other name.
 */
std::optional<int> OverlayNamed(std::string_view name);

/**
 * Shows the overlay mode (a HighlightCode) on a model that shows none, as the window's overlay
 * menu does: the calculated results are brought up to date first, and a weighting overlay's
 * levels stored in Results. HighlightNone changes nothing.
 */
void ShowOverlay(TSpectrumModel& model, int mode);

} // namespace velmora
