#include "io/RecoveryFolder.h"

#include "io/RecoveryText.h"
#include "support/FileWatch.h"
#include "support/SpectrumText.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using velmora::test::FileWatch;
using velmora::test::SpectrumText;

namespace fs = std::filesystem;

namespace {

class RecoveryFolderTest : public ::testing::Test
{
protected:
    RecoveryFolderTest()
    {
        char pattern[] = "/tmp/velmora-recovery-XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    ~RecoveryFolderTest() override { fs::remove_all(m_dir); }

    std::unique_ptr<RecoveryFolder> window(const std::string& host = LocalHostName()) const
    {
        return std::make_unique<RecoveryFolder>(m_dir, NewRecoveryId(), host);
    }

    /** Work a window kept and left behind, as when it crashed: its files stay, its lock is let go. */
    std::string leaveWork(float level, const std::string& document = {},
                          const std::string& host = LocalHostName())
    {
        const std::unique_ptr<RecoveryFolder> gone = window(host);
        EXPECT_TRUE(gone->Keep(SpectrumText(level), document));
        return gone->FilePath();
    }

    std::string path(const std::string& name) const { return m_dir + "/" + name; }

    void write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    static std::string read(const std::string& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static void age(const std::string& file, int seconds)
    {
        const std::time_t then = std::time(nullptr) - seconds;
        const struct timespec times[2] = {{then, 0}, {then, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    }

    std::string m_dir;
};

TEST_F(RecoveryFolderTest, AWindowsWorkIsLeftBehindOnlyOnceItsProcessHasEndedHoweverItEnded)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryFolder running(m_dir, NewRecoveryId(), LocalHostName());
        const bool kept = running.Keep(SpectrumText(51.0f), "/survey/hall.snd");
        (void)!::write(ready[1], kept ? "k" : "f", 1);
        ::pause();
        std::_Exit(0);
    }
    char kept = 0;
    ASSERT_EQ(::read(ready[0], &kept, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(kept, 'k');

    const std::unique_ptr<RecoveryFolder> next = window();
    EXPECT_TRUE(next->TakeLeftovers().empty()) << "the window is still running";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    std::vector<RecoveryLeftover> left = next->TakeLeftovers();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Text, SpectrumText(51.0f));
    EXPECT_EQ(left[0].Document, "/survey/hall.snd");
    EXPECT_EQ(left[0].Host, "");
    EXPECT_LE(std::chrono::system_clock::now() - left[0].KeptAt, std::chrono::minutes(1));
    // While one start holds it, another does not offer it; let go, it is offered again.
    EXPECT_TRUE(window()->TakeLeftovers().empty());
    left.clear();
    left = window()->TakeLeftovers();
    ASSERT_EQ(left.size(), 1u);
    SettleLeftover(left[0]);
    EXPECT_TRUE(entries().empty());
}

TEST_F(RecoveryFolderTest, NothingIsEverReadOrWrittenThroughALink)
{
    const std::string target = path("elsewhere.snd");
    write("elsewhere.snd", SpectrumText(33.0f));
    const std::unique_ptr<RecoveryFolder> own = window();
    const std::string file = own->FilePath();
    const std::string stem = fs::path(file).stem().string();
    // Links at every name the window writes, and where work left behind and its lock would be.
    for (const std::string& name :
         {stem + ".snd", stem + ".lock", "." + stem + ".snd.new", "." + stem + ".lock.new",
          std::string("recovery.snd"), std::string("recovery.lock"), std::string("recovery.1-a.snd")})
        fs::create_symlink(target, path(name));
    ::mkfifo(path("recovery.2-b.snd").c_str(), 0600);
    fs::create_directory(path("recovery.3-c.snd"));
    FileWatch watch(target);
    ASSERT_TRUE(watch.Works());

    EXPECT_TRUE(own->TakeLeftovers().empty());
    ASSERT_TRUE(own->Keep(SpectrumText(1.0f), {}));
    ASSERT_TRUE(own->Keep(SpectrumText(2.0f), "/a.snd"));

    EXPECT_FALSE(watch.Touched());
    EXPECT_EQ(read(target), SpectrumText(33.0f));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path(stem + ".lock"))));
    EXPECT_EQ(read(file), SpectrumText(2.0f));
    // What was no recovery file or lock is set aside as it was: the links still name the target.
    int links = 0;
    int others = 0;
    for (const std::string& name : entries()) {
        if (name.starts_with("recovery-damaged-"))
            ++(fs::is_symlink(path(name)) ? links : others);
        else
            EXPECT_TRUE(name == "elsewhere.snd" || name.starts_with(stem) || name.starts_with("." + stem))
                << name;
    }
    EXPECT_EQ(links, 3);
    EXPECT_EQ(others, 2);
}

TEST_F(RecoveryFolderTest, AnotherHostsWorkWaitsUntilItsLockHasBeenQuietLongEnough)
{
    const std::string file = leaveWork(61.0f, "/home/u/far.snd", "far-host");
    const std::string lock = file.substr(0, file.size() - 4) + ".lock";
    const std::unique_ptr<RecoveryFolder> here = window();
    EXPECT_TRUE(here->TakeLeftovers().empty()) << "written a moment ago";
    age(lock, 3000);
    EXPECT_TRUE(here->TakeLeftovers().empty());
    age(lock, 3700);
    std::vector<RecoveryLeftover> left = here->TakeLeftovers();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Host, "far-host");
    EXPECT_EQ(left[0].Document, "/home/u/far.snd");
    left.clear();

    // A window of another host that still holds its lock is never offered, however old.
    const std::unique_ptr<RecoveryFolder> running = window("far-host");
    ASSERT_TRUE(running->Keep(SpectrumText(62.0f), {}));
    age(running->FilePath().substr(0, running->FilePath().size() - 4) + ".lock", 100000);
    left = here->TakeLeftovers();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].Path, file);
}

TEST_F(RecoveryFolderTest, TheFolderHoldsOnlyWhatRunningWindowsAndUnsettledWorkNeed)
{
    {
        // Kept, dropped, closed: nothing stays.
        const std::unique_ptr<RecoveryFolder> own = window();
        ASSERT_TRUE(own->Keep(SpectrumText(1.0f), {}));
        own->Drop();
        EXPECT_FALSE(own->Intact());
    }
    EXPECT_TRUE(entries().empty());

    // Files someone removed are written again.
    const std::unique_ptr<RecoveryFolder> own = window();
    ASSERT_TRUE(own->Keep(SpectrumText(1.0f), {}));
    EXPECT_TRUE(own->Intact());
    for (const std::string& name : entries())
        fs::remove(path(name));
    EXPECT_FALSE(own->Intact());
    ASSERT_TRUE(own->Keep(SpectrumText(1.0f), {}));
    EXPECT_TRUE(own->Intact());
    const std::vector<std::string> ownFiles = entries();

    // Left behind: a lock without work, temporary files of a write cut short (an old one goes,
    // a new one may be a write under way), damaged work, and more work than one start offers.
    write("recovery.7-a.lock", "");
    write(".recovery.7-b.snd.new", "old");
    age(path(".recovery.7-b.snd.new"), 7200);
    write(".recovery.7-c.snd.new", "new");
    write("recovery.7-d.snd", "not a spectrum");
    write("recovery.7-e.snd", SpectrumText(1.0f) + std::string(kMaxRecoveryFileBytes, ' '));
    for (int k = 0; k < 20; ++k)
        age(leaveWork(static_cast<float>(k)), 100 - k);
    std::vector<RecoveryLeftover> left = own->TakeLeftovers();
    ASSERT_EQ(left.size(), RecoveryFolder::kMaxLeftovers);
    for (std::size_t k = 0; k < left.size(); ++k)
        EXPECT_EQ(left[k].Text, SpectrumText(static_cast<float>(19 - k))) << "newest first";
    for (RecoveryLeftover& work : left)
        SettleLeftover(work);
    left = own->TakeLeftovers();
    EXPECT_EQ(left.size(), 4u);
    for (RecoveryLeftover& work : left)
        SettleLeftover(work);

    std::vector<std::string> expected = ownFiles;
    expected.push_back(".recovery.7-c.snd.new");
    std::vector<std::string> rest;
    for (const std::string& name : entries())
        if (name.starts_with("recovery-damaged-"))
            EXPECT_TRUE(name.ends_with(".snd")) << name;
        else
            rest.push_back(name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rest, expected);
    EXPECT_EQ(entries().size(), expected.size() + 2);
}

} // namespace
