#pragma once

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

} // namespace velmora
