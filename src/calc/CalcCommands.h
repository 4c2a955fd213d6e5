#pragma once

#include "calc/ExitStatus.h"
#include "calc/RenderRunner.h"

#include <string>
#include <vector>

namespace velmora {

/**
 * Runs velmora-calc on its arguments (the program name left out): the command, then its options
 * and operands. Prints to standard output and reports problems on standard error; returns the exit
 * status.
 */
int RunCalc(const std::vector<std::string>& arguments, const RenderRunner& render);

} // namespace velmora
