#include "io/ComparedFiles.h"

#include "io/DataFile.h"
#include "io/FileContents.h"
#include "io/LevelsImport.h"
#include "io/TabularLevels.h"
#include "model/SpectrumModel.h"

#include <algorithm>
#include <cctype>

namespace velmora {

namespace {

/** True when text ends with ending (in lower case), letters compared without regard to case. */
bool EndsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

/** A table of levels read into the model as the window's import reads one into a fresh spectrum. */
bool LoadTableFile(TSpectrumModel& model, const std::string& path, std::string& reason)
{
    std::string text;
    if (!ReadFileContents(path, kMaxTabularBytes, text, &reason))
        return false;
    TabularLevels levels;
    TabularError error;
    if (!ReadTabularLevels(text, levels, error)) {
        reason = error.message;
        return false;
    }
    if (ImportLevels(model, levels) == LevelsImport::BandSet)
        SetupNodes(model, false);
    return true;
}

} // namespace

bool ReadComparedFile(const std::string& path, ComparedFile& file, std::string& reason)
{
    TSpectrumModel model;
    InitModel(model);
    SetupNodes(model, true);
    // A meter's or a spreadsheet's table would read as a data file of no levels at all.
    const bool table = EndsWithIgnoringCase(path, ".csv") || EndsWithIgnoringCase(path, ".txt");
    if (!(table ? LoadTableFile(model, path, reason) : LoadDataFile(model, path, &reason)))
        return false;
    file.levels = EditedLevels(model);
    file.bands = BandSetOf(model);
    file.dataType = model.Nodes.DataType;
    return true;
}

bool IsComparisonList(std::string_view path)
{
    return EndsWithIgnoringCase(path, ".lst");
}

std::vector<std::string> ComparisonListPaths(std::string_view text, const std::string& folder)
{
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    std::vector<std::string> paths;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = line.find_first_not_of(kSpace);
        if (first == std::string_view::npos || line[first] == '#')
            continue;
        line = line.substr(first, line.find_last_not_of(kSpace) - first + 1);
        if (line.front() == '/' || folder.empty())
            paths.emplace_back(line);
        else
            paths.push_back(folder + (folder.back() == '/' ? "" : "/") + std::string(line));
    }
    return paths;
}

std::string ComparisonListText(const std::vector<std::string>& paths)
{
    std::string text = "# Velmora comparison list: one data file a line\n";
    // A name with a line break in it could not be read back as one line.
    for (const std::string& path : paths)
        if (path.find_first_of("\r\n") == std::string::npos)
            text += path + "\n";
    return text;
}

bool ReadComparisonList(const std::string& path, std::vector<std::string>& paths, std::string& reason)
{
    std::string text;
    if (!ReadFileContents(path, kMaxComparisonListBytes, text, &reason))
        return false;
    paths = ComparisonListPaths(text, FolderOf(path));
    return true;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace velmora
