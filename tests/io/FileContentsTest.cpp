#include "io/FileContents.h"

#include "io/TabularLevels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <system_error>
#include <vector>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

/** What the writer asked of the file system: "fsync PATH", "rename FROM TO". */
std::vector<std::string> g_events;
/** A path whose fsync fails with EIO, as on a failing disk; empty for none. */
std::string g_failingSync;
std::error_code g_error;

/** The events since the last call; the folder is "DIR" and a temporary file "TMP". */
std::vector<std::string> TakeEvents(const TempFolder& folder)
{
    std::vector<std::string> events;
    const std::regex folderPath(std::filesystem::canonical(folder.Path()).string());
    for (const std::string& event : g_events)
        events.push_back(std::regex_replace(std::regex_replace(event, folderPath, "DIR"),
                                            std::regex("DIR/\\.velmora-[0-9a-f]+\\.tmp"), "TMP"));
    g_events.clear();
    return events;
}

mode_t Status(const std::string& path, struct stat& status)
{
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

} // namespace

// The writer's calls to fsync and rename come here first, to be recorded (and a sync failed on
// demand) before the C library does them.
extern "C" int fsync(int fd)
{
    static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    const std::string path =
        std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), g_error).string();
    g_events.push_back("fsync " + path);
    if (path == g_failingSync) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    static const auto real =
        reinterpret_cast<int (*)(const char*, const char*)>(::dlsym(RTLD_NEXT, "rename"));
    g_events.push_back(std::string("rename ") + from + " " + to);
    return real(from, to);
}

TEST(FileContents, ANewFileIsSyncedBeforeItTakesTheNameAndKeepsTheOwnerAndMode)
{
    TempFolder folder;
    const std::string path = folder.File("spectrum.snd");
    const std::vector<std::string> expected = {"fsync TMP", "rename TMP DIR/spectrum.snd", "fsync DIR"};
    g_events.clear();
    ASSERT_TRUE(ReplaceFileContents(path, "new"));
    EXPECT_EQ(TakeEvents(folder), expected);

    // Only root may give a file to another user; permission bits stay for anyone.
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(path.c_str(), 65534, 65533) == 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    struct stat before {
    }, after{};
    Status(path, before);
    ASSERT_TRUE(ReplaceFileContents(path, "newer"));
    EXPECT_EQ(TakeEvents(folder), expected);
    EXPECT_EQ(Status(path, after), 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(Contents(path), "newer");
}

TEST(FileContents, AFileWithOtherNamesIsRewrittenUnderEveryName)
{
    TempFolder folder;
    const std::string path = folder.File("spectrum.snd");
    Store(path, "old contents, longer than the new");
    std::filesystem::create_hard_link(path, folder.File("other.snd"));
    struct stat before {
    }, after{};
    Status(path, before);
    g_events.clear();
    ASSERT_TRUE(ReplaceFileContents(path, "new"));
    EXPECT_EQ(Contents(folder.File("other.snd")), "new");
    EXPECT_EQ(Status(path, after), Status(path, before));
    EXPECT_EQ(after.st_ino, before.st_ino);
    // A whole copy is synced under a name before the file is touched, and removed after.
    const std::vector<std::string> expected = {"fsync TMP", "fsync DIR", "fsync DIR/spectrum.snd",
                                               "fsync DIR"};
    EXPECT_EQ(TakeEvents(folder), expected);
    EXPECT_EQ(folder.Names().size(), 2u);

    // Should the rewrite fail, the whole copy takes the name and the failure is reported.
    g_failingSync = std::filesystem::canonical(path).string();
    std::string reason;
    EXPECT_FALSE(ReplaceFileContents(path, "newer", &reason));
    g_failingSync.clear();
    EXPECT_EQ(reason.find(std::strerror(EIO)), 0u) << reason;
    EXPECT_EQ(Contents(path), "newer");
    EXPECT_EQ(folder.Names().size(), 2u);
}

TEST(FileContents, AFileTooLargeIsRefusedNamingTheLimitAsTheTableReaderDoes)
{
    // Readers of tables read one byte past the limit, so that the table reader refuses a text
    // just over it ("larger than 1 MiB"); any larger file names the same limit.
    TempFolder folder;
    Store(folder.File("large.csv"), "");
    std::filesystem::resize_file(folder.File("large.csv"), 3 * kMaxTabularBytes);
    std::string contents = "kept";
    std::string reason;
    EXPECT_FALSE(ReadFileContents(folder.File("large.csv"), kMaxTabularBytes + 1, contents, &reason));
    EXPECT_EQ(reason, "it is larger than 1 MiB");
    EXPECT_EQ(contents, "kept");
    EXPECT_EQ(TooLargeReason(100), "it is larger than 100 bytes");
}
