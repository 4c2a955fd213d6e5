#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct ParsedArguments;

/** What `report` was asked to write, its arguments checked. */
struct ReportRequest {
    /** The data files, one page each in the order given. */
    std::vector<std::string> inputs;
    /** The PDF file to write. */
    std::string output;
    /** Heads every page instead of the file's name; may be empty. */
    std::string title;
    /** Shown under each page's particulars; may be empty. */
    std::string note;
};

/**
 * report's arguments (operands: the data files; --output, --title, --note) checked into request;
 * an error message when they do not make sense: no data file, no -o, or an output whose name does
 * not end in ".pdf" (in any case).
 */
std::optional<std::string> ReadReportRequest(const ParsedArguments& arguments, ReportRequest& request);

} // namespace velmora
