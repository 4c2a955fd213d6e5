#pragma once

#include <string>
#include <string_view>

namespace velmora {

/** One line on standard error after the program's name: "velmora-calc: message". */
void Report(std::string_view message);

/** A path in single quotes, its control and non-UTF-8 bytes shown safely, for messages. */
std::string Quoted(std::string_view path);

/** Outputs replace a file only once complete, so whatever was at path before is still there whole. */
void ReportUnwritable(const std::string& path, const std::string& reason);

/** Makes contents the whole file at path (ReplaceFileContents); false, reported as above, when it cannot. */
bool ReplaceOrReport(const std::string& path, std::string_view contents);

} // namespace velmora
