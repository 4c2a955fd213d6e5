#include "calc/Reporting.h"

#include "calc/TableWriter.h"
#include "io/FileContents.h"

#include <cstdio>

namespace velmora {

void Report(std::string_view message)
{
    const std::string line = "velmora-calc: " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string Quoted(std::string_view path)
{
    std::string quoted = "'";
    quoted += PrintableText(path);
    quoted += '\'';
    return quoted;
}

void ReportUnwritable(const std::string& path, const std::string& reason)
{
    Report("cannot write " + Quoted(path) + ": " + reason + "; any earlier file there is unchanged");
}

bool ReplaceOrReport(const std::string& path, std::string_view contents)
{
    std::string reason;
    if (ReplaceFileContents(path, contents, &reason))
        return true;
    ReportUnwritable(path, reason);
    return false;
}

} // namespace velmora
