#include "io/RecentFiles.h"

#include "io/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

using List = std::vector<std::string>;

TEST(RecentFilesTest, StoredTextIsReadDefensively)
{
    const std::string longPath(kMaxRecentPathBytes + 1, 'x');
    const struct {
        std::string text;
        List expected;
    } cases[] = {
        {"", {}},
        {"/a.snd", {"/a.snd"}},
        {"/a.snd\r\n/b.snd\n\n/a.snd\n", {"/a.snd", "/b.snd"}},
        {"/a\n" + longPath + "\n/b", {"/a", "/b"}},
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n10", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"/with space & ümlaut.snd", {"/with space & ümlaut.snd"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseRecentFiles(c.text), c.expected) << c.text.substr(0, 40);
        EXPECT_EQ(ParseRecentFiles(FormatRecentFiles(c.expected)), c.expected) << "round trip";
    }
}

TEST(RecentFilesTest, TheNewestComesFirstAndTheListStaysShort)
{
    List files;
    for (int i = 0; i < 12; ++i)
        files = AddRecentFile(files, "/f" + std::to_string(i));
    ASSERT_EQ(files.size(), kMaxRecentFiles);
    EXPECT_EQ(files.front(), "/f11");
    EXPECT_EQ(files.back(), "/f4");
    files = AddRecentFile(files, "/f6");
    EXPECT_EQ(files.front(), "/f6");
    EXPECT_EQ(files.size(), kMaxRecentFiles) << "a repeat moves, it does not duplicate";
    for (const std::string& bad :
         {std::string(), std::string("/a\nb"), std::string(kMaxRecentPathBytes + 1, 'y')})
        EXPECT_EQ(AddRecentFile(files, bad), files);

    MemorySettingsStore store;
    RememberRecentFile(store, "/x.snd");
    RememberRecentFile(store, "/y.snd");
    EXPECT_EQ(ReadRecentFiles(store), (List{"/y.snd", "/x.snd"}));
    store.Values[kRecentFilesName] = std::string(kMaxRecentFiles * (kMaxRecentPathBytes + 2) + 1, 'z');
    EXPECT_TRUE(ReadRecentFiles(store).empty()) << "an absurdly long setting is ignored";
}

} // namespace
