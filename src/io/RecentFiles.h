#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace velmora {

class SettingsStore;

/** The setting holding the recently opened or saved files, newest first, one per line. */
inline constexpr const char* kRecentFilesName = "Velmora_Recent";
/** The setting holding the folder the Open and Save dialogs last used. */
inline constexpr const char* kRecentFolderName = "Velmora_Folder";
/** Files kept in the list. */
inline constexpr std::size_t kMaxRecentFiles = 8;
/** Longest path kept; a longer one in the settings is dropped as damaged. */
inline constexpr std::size_t kMaxRecentPathBytes = 4096;

/**
 * The list from its stored text: one path per line (LF or CR LF), newest first. Empty lines,
 * over-long paths and repeats are dropped, and at most kMaxRecentFiles are kept.
 */
std::vector<std::string> ParseRecentFiles(const std::string& text);

/** The stored text of a list: its paths joined by LF. */
std::string FormatRecentFiles(const std::vector<std::string>& files);

/**
 * The list with path put first (moved there when it was already in it), cut to kMaxRecentFiles.
 * An empty or over-long path, or one holding a line break, leaves the list as it was.
 */
std::vector<std::string> AddRecentFile(std::vector<std::string> files, const std::string& path);

/** The stored list; empty when the setting is missing. */
std::vector<std::string> ReadRecentFiles(SettingsStore& store);

/** Puts path first in the stored list. */
void RememberRecentFile(SettingsStore& store, const std::string& path);

} // namespace velmora
