#include "io/ComparedFiles.h"

#include "io/DataFile.h"
#include "io/FileContents.h"
#include "model/SpectrumModel.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ComparedFiles, ListsNameOneFileALineRelativeOnesFromTheListsFolder)
{
    const struct {
        const char* text;
        const char* folder;
        std::vector<std::string> paths;
    } cases[] = {
        {"", "/f", {}},
        {"# Velmora comparison list\na.snd\n/abs/b.snd\n", "/f", {"/f/a.snd", "/abs/b.snd"}},
        {"  a b.snd \r\n\r\n\t# note\r\nsub/c.snd", "/f/", {"/f/a b.snd", "/f/sub/c.snd"}},
        {"a.snd\n", "", {"a.snd"}},
        {"\n\n   \n", "/f", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ComparisonListPaths(c.text, c.folder), c.paths) << c.text;

    // What is written reads back; a name with a line break in it cannot be one line and is left out.
    const std::vector<std::string> paths{"/m/pos 1.snd", "/m/pos\n2.snd", "/m/#3.snd", "/m/pos4.snd"};
    EXPECT_EQ(ComparisonListPaths(ComparisonListText(paths), "/elsewhere"),
              (std::vector<std::string>{"/m/pos 1.snd", "/m/#3.snd", "/m/pos4.snd"}));

    for (const auto& [path, list] : {std::pair{"a.lst", true}, std::pair{"/x/A.LST", true},
                                     std::pair{"a.lst.snd", false}, std::pair{"lst", false}})
        EXPECT_EQ(IsComparisonList(path), list) << path;
    EXPECT_EQ(FolderOf("/a/b/c.lst"), "/a/b");
    EXPECT_EQ(FolderOf("/c.lst"), "/");
    EXPECT_EQ(FolderOf("c.lst"), "");
}

TEST(ComparedFiles, ReadsTheEditedSpectrumOfADataFileAndListsFromTheirFolder)
{
    test::TempFolder folder;
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    SetupNodes(model, true);
    for (int k = 0; k < 27; ++k)
        model.Nodes.Node[k].Y = 30.5f + static_cast<float>(k);
    model.Nodes.DataType = AttenuationLevels;
    model.OtherLevels[0] = 99.0f;
    ASSERT_TRUE(WriteDataFile(model, folder.File("wall.snd")));
    ASSERT_TRUE(ReplaceFileContents(folder.File("set.lst"), "wall.snd\nmissing.snd\n"));

    ComparedFile file;
    std::string reason;
    ASSERT_TRUE(ReadComparedFile(folder.File("wall.snd"), file, reason)) << reason;
    EXPECT_EQ(file.bands, BandSet::Third);
    EXPECT_EQ(file.dataType, AttenuationLevels);
    EXPECT_EQ(file.levels, EditedLevels(model));
    EXPECT_FALSE(ReadComparedFile(folder.File("missing.snd"), file, reason));
    EXPECT_FALSE(reason.empty());

    // A meter's table is read as Import Levels reads it, not as a data file of no levels.
    ASSERT_TRUE(ReplaceFileContents(folder.File("meter.CSV"), "Hz;dB\r\n63;55,5\r\n1000;42\r\n"));
    ASSERT_TRUE(ReadComparedFile(folder.File("meter.CSV"), file, reason)) << reason;
    EXPECT_EQ(file.bands, BandSet::Octave);
    EXPECT_EQ(file.levels[0], 55.5f);
    EXPECT_EQ(file.levels[4], 42.0f);
    ASSERT_TRUE(ReplaceFileContents(folder.File("bad.txt"), "no levels here\n"));
    EXPECT_FALSE(ReadComparedFile(folder.File("bad.txt"), file, reason));

    std::vector<std::string> paths;
    ASSERT_TRUE(ReadComparisonList(folder.File("set.lst"), paths, reason));
    EXPECT_EQ(paths, (std::vector<std::string>{folder.File("wall.snd"), folder.File("missing.snd")}));
    EXPECT_FALSE(ReadComparisonList(folder.File("none.lst"), paths, reason));
}

} // namespace
} // namespace velmora
