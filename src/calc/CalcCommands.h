#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmora {

/** Exit statuses of velmora-calc. */
inline constexpr int kExitSuccess = 0;
/** A named file could not be read or written, or an expression did not evaluate. */
inline constexpr int kExitFailure = 1;
/** The arguments were not understood; nothing was done. */
inline constexpr int kExitUsage = 2;

struct RenderRequest;
struct ReportRequest;
struct TSpectrumModel;

/**
 * Draws and writes what the drawing commands ask for, returning the exit status. Drawing takes
 * the window's code and with it Qt, which the other commands never load, so the program passes
 * in how this is done.
 */
struct RenderRunner {
    /** `render`, the input already read into the model. */
    std::function<int(const RenderRequest& request, TSpectrumModel& model)> graph;
    /** `report`, its arguments checked and at least one input found readable. */
    std::function<int(const ReportRequest& request)> report;

    /** graph, so that `render` calls the runner as it always has. */
    int operator()(const RenderRequest& request, TSpectrumModel& model) const
    {
        return graph(request, model);
    }
};

/**
 * Runs velmora-calc on its arguments (the program name left out): the command, then its options
 * and operands. Prints to standard output and reports problems on standard error; returns the exit
 * status.
 */
int RunCalc(const std::vector<std::string>& arguments, const RenderRunner& render);

/** value as printf's "%.10g" writes it in the "C" locale, whatever the process locale. */
std::string GeneralText(double value);

} // namespace velmora
