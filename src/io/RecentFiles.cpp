#include "io/RecentFiles.h"

#include "io/Settings.h"

#include <algorithm>

namespace velmora {

namespace {

bool Keepable(const std::string& path)
{
    return !path.empty() && path.size() <= kMaxRecentPathBytes &&
           path.find_first_of("\r\n") == std::string::npos;
}

} // namespace

std::vector<std::string> ParseRecentFiles(const std::string& text)
{
    std::vector<std::string> files;
    std::size_t start = 0;
    while (start <= text.size() && files.size() < kMaxRecentFiles) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (Keepable(line) && std::find(files.begin(), files.end(), line) == files.end())
            files.push_back(std::move(line));
        start = end + 1;
    }
    return files;
}

std::string FormatRecentFiles(const std::vector<std::string>& files)
{
    std::string text;
    for (const std::string& path : files) {
        if (!text.empty())
            text += '\n';
        text += path;
    }
    return text;
}

std::vector<std::string> AddRecentFile(std::vector<std::string> files, const std::string& path)
{
    if (!Keepable(path))
        return files;
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    return files;
}

std::vector<std::string> ReadRecentFiles(SettingsStore& store)
{
    const std::optional<std::string> text = store.Query(kRecentFilesName);
    // Eight paths of the longest kept length, with their line breaks, is the most a sound list holds.
    if (!text || text->size() > kMaxRecentFiles * (kMaxRecentPathBytes + 2))
        return {};
    return ParseRecentFiles(*text);
}

void RememberRecentFile(SettingsStore& store, const std::string& path)
{
    store.Set(kRecentFilesName, FormatRecentFiles(AddRecentFile(ReadRecentFiles(store), path)));
}

} // namespace velmora
