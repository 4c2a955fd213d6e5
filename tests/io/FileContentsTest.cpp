#include "io/FileContents.h"

#include "io/DataFile.h"
#include "io/TabularLevels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

TEST(FileContents, AFileTooLargeIsRefusedNamingTheLimitAsTheReaderDoes)
{
    constexpr std::size_t kMiB = 1024 * 1024;
    TempFolder folder;
    const std::string path = folder.File("large.csv");
    struct Case {
        std::size_t fileBytes;
        std::size_t maxBytes;
        const char* reason;
    };
    // Readers of tables read one byte past their limit so that the table reader refuses a text
    // just over it: every larger file names the same limit.
    const Case cases[] = {
        {kMaxTabularBytes + 2, kMaxTabularBytes + 1, "it is larger than 1 MiB"},
        {3 * kMiB, kMaxTabularBytes + 1, "it is larger than 1 MiB"},
        {2 * kMiB, kMaxTabularBytes, "it is larger than 1 MiB"},
        {kMaxDataFileBytes + 1, kMaxDataFileBytes, "it is larger than 16 MiB"},
        {101, 100, "it is larger than 100 bytes"},
    };
    for (const Case& c : cases) {
        Store(path, "");
        std::filesystem::resize_file(path, c.fileBytes);
        std::string contents = "kept";
        std::string reason;
        EXPECT_FALSE(ReadFileContents(path, c.maxBytes, contents, &reason));
        EXPECT_EQ(reason, c.reason) << c.fileBytes;
        EXPECT_EQ(contents, "kept");
    }
    TabularLevels levels;
    TabularError error;
    EXPECT_FALSE(ReadTabularLevels(std::string(kMaxTabularBytes + 1, '\n'), levels, error));
    EXPECT_EQ(error.message, "The text is larger than 1 MiB.");
}

namespace {

/** What the code under test asked of the file system, in order: "fsync PATH", "rename FROM TO". */
std::vector<std::string> g_events;
/** A path whose fsync fails with EIO, as on a failing disk; empty for none. */
std::string g_failingSync;

std::string PathOf(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t length = ::readlink(link, target, sizeof target);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

/** The events since the last call, with the folder's path shortened to "DIR". */
std::vector<std::string> TakeEvents(const TempFolder& folder)
{
    std::vector<std::string> events;
    const std::string prefix = std::filesystem::canonical(folder.Path()).string();
    for (std::string event : g_events) {
        for (std::size_t at = event.find(prefix); at != std::string::npos; at = event.find(prefix))
            event.replace(at, prefix.size(), "DIR");
        events.push_back(event);
    }
    g_events.clear();
    return events;
}

/** The name the writer gave its temporary file, hidden beside the target. */
std::string TemporaryName(const std::vector<std::string>& events)
{
    for (const std::string& event : events) {
        const std::size_t at = event.find("DIR/.velmora-");
        if (at != std::string::npos)
            return event.substr(at, event.find(' ', at) - at);
    }
    return {};
}

} // namespace

// The writer's calls to fsync and rename come here first; the test records them, and may make a
// sync fail, before passing them on to the C library.
extern "C" int fsync(int fd)
{
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    const std::string path = PathOf(fd);
    g_events.push_back("fsync " + path);
    if (!g_failingSync.empty() && path == g_failingSync) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    using Rename = int (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "rename"));
    g_events.push_back(std::string("rename ") + from + " " + to);
    return real(from, to);
}

TEST(FileContents, ANewFileIsSyncedBeforeItTakesTheNameAndTheFolderAfter)
{
    TempFolder folder;
    const std::string target = folder.File("spectrum.snd");
    for (const char* state : {"new", "existing"}) {
        SCOPED_TRACE(state);
        g_events.clear();
        ASSERT_TRUE(ReplaceFileContents(target, "contents"));
        const std::vector<std::string> events = TakeEvents(folder);
        const std::string temporary = TemporaryName(events);
        ASSERT_FALSE(temporary.empty());
        const std::vector<std::string> expected = {"fsync " + temporary,
                                                   "rename " + temporary + " DIR/spectrum.snd", "fsync DIR"};
        EXPECT_EQ(events, expected);
        EXPECT_EQ(Contents(target), "contents");
    }
}

TEST(FileContents, AFileWithOtherNamesIsRewrittenUnderEveryName)
{
    TempFolder folder;
    const std::string name = folder.File("spectrum.snd");
    const std::string other = folder.File("other-name.snd");
    Store(name, "old contents, longer than the new");
    std::filesystem::create_hard_link(name, other);
    const auto inode = [](const std::string& path) {
        struct stat status {
        };
        ::stat(path.c_str(), &status);
        return status.st_ino;
    };
    const auto before = inode(name);

    g_events.clear();
    std::string reason;
    ASSERT_TRUE(ReplaceFileContents(name, "new contents", &reason)) << reason;
    EXPECT_EQ(Contents(name), "new contents");
    EXPECT_EQ(Contents(other), "new contents");
    EXPECT_EQ(inode(name), before);
    EXPECT_EQ(std::filesystem::hard_link_count(name), 2u);
    EXPECT_EQ(folder.Names().size(), 2u) << "no temporary file is left";
    // A whole copy is on the disk, under a name, before the linked file is touched.
    const std::vector<std::string> events = TakeEvents(folder);
    const std::string temporary = TemporaryName(events);
    const std::vector<std::string> expected = {"fsync " + temporary, "fsync DIR", "fsync DIR/spectrum.snd",
                                               "fsync DIR"};
    EXPECT_EQ(events, expected);

    // Should the rewrite fail, the whole copy takes the name; the save is reported as failed.
    g_failingSync = std::filesystem::canonical(name).string();
    EXPECT_FALSE(ReplaceFileContents(name, "newer contents", &reason));
    g_failingSync.clear();
    EXPECT_NE(reason.find(std::strerror(EIO)), std::string::npos) << reason;
    EXPECT_EQ(Contents(name), "newer contents");
    EXPECT_EQ(folder.Names().size(), 2u) << "no temporary file is left";
}

TEST(FileContents, TheOwnerGroupAndPermissionBitsOfAReplacedFileStay)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempFolder folder;
    const std::string path = folder.File("theirs.snd");
    Store(path, "old");
    constexpr uid_t kUser = 65534;
    constexpr gid_t kGroup = 65533;
    ASSERT_EQ(::chown(path.c_str(), kUser, kGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFileContents(path, "new"));
    struct stat status {
    };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, kUser);
    EXPECT_EQ(status.st_gid, kGroup);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(Contents(path), "new");
}
