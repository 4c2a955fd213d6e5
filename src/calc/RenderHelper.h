#pragma once

#include "calc/RenderRunner.h"

#include <string>

namespace velmora {

/** File name of the program that draws for velmora-calc render. */
inline constexpr const char* kRenderHelperName = "velmora-calc-render";

/**
 * Where the drawing program lies for the program at programPath: beside it (a build folder), or in
 * ../libexec/velmora/ from its folder (an installed copy). Empty when neither exists.
 */
std::string RenderHelperPath(const std::string& programPath);

/**
 * Replaces this process by the drawing program, given the same arguments (argv[0] is replaced by
 * the helper's path). Returns only when that fails, with the exit status after reporting why.
 */
int RunRenderHelper(char** argv);

/**
 * What velmora-calc draws with: render and report go to the drawing program by RunRenderHelper.
 * Starting it takes time, so report starts it only when one of the inputs can be read; when none
 * can, each is reported here with why, and the exit status is 1 with nothing written.
 */
RenderRunner HelperRunner(char** argv);

} // namespace velmora
