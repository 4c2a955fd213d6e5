#pragma once

#include <functional>
#include <vector>

namespace velmora {

struct ComparedFile;
struct RenderRequest;
struct ReportRequest;
struct TSpectrumModel;

/**
 * Draws and writes what the drawing commands ask for, returning the exit status. Drawing takes
 * the window's code and with it Qt, which the other commands never load, so the program passes
 * in how this is done.
 */
struct RenderRunner {
    /** `render`, the input already read into the model and the request's compared files into compared. */
    std::function<int(const RenderRequest& request, TSpectrumModel& model,
                      const std::vector<ComparedFile>& compared)>
        graph;
    /**
     * `report`, its arguments checked; each input that cannot be read is reported, and nothing is
     * written when none can.
     */
    std::function<int(const ReportRequest& request)> report;
};

} // namespace velmora
