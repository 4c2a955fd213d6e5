#pragma once

#include <string>
#include <vector>

namespace velmora {

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

} // namespace velmora
