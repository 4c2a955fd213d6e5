#pragma once

#include <QByteArray>

#include <vector>

namespace velmora {

struct ComparedFile;
struct RenderRequest;
struct TSpectrumModel;

/**
 * The graph of the model as the request asks for it: the request's extents (through the window's
 * own rules) and overlay applied to the model, compared (the request's compared files as read, in
 * its order) drawn as the window draws its comparison set, at the request's size. PNG is the window's
 * own bitmap: the same canvas and drawing, background and all. SVG and PDF are the vector picture
 * the window copies to the clipboard (grey grid, no background). Empty when the picture could not
 * be made. Needs a QGuiApplication.
 */
QByteArray RenderGraph(const RenderRequest& request, TSpectrumModel& model,
                       const std::vector<ComparedFile>& compared);

/**
 * RenderGraph, then the picture written to the request's output with the atomic file replacement;
 * problems reported on standard error. Returns the exit status.
 */
int RenderToFile(const RenderRequest& request, TSpectrumModel& model,
                 const std::vector<ComparedFile>& compared);

} // namespace velmora
