#include "io/DataFile.h"
#include "model/Ratings.h"

#include "io/FileContents.h"
#include "model/ModelTestSupport.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"
#include "support/Tolerance.h"
#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::test;
namespace fs = std::filesystem;

namespace {

const fs::path kDataFolder = fs::path(__FILE__).parent_path() / "data";

/** Levels written with three decimals come back to within float precision. */
constexpr double kLevelTolerance = 1e-4;
/** Extents are written with two decimals. */
constexpr double kPrintedHundredth = 0.005;

// The state a read starts from: every field distinct from what the data files hold.
constexpr float kPreviousLevel = 50.0f;
constexpr float kPreviousOther = 40.0f;
constexpr GraphExtents kPreviousExtents{10.0f, 100.0f, 5.0f};

constexpr const char* kFreshOctaveText = "#\r\n"
                                         "# Velmora Data File\r\n"
                                         "# Spectrum levels in dB by band\r\n"
                                         "#\r\n"
                                         "\r\n"
                                         "Bands: 1  3\r\n"
                                         "Spectrum: 0  0  0\r\n"
                                         "Graph: 0.00  120.00  10.00\r\n"
                                         "\r\n"
                                         "Levels: 63.0  0.000\r\n"
                                         "Levels: 125.0  0.000\r\n"
                                         "Levels: 250.0  0.000\r\n"
                                         "Levels: 500.0  0.000\r\n"
                                         "Levels: 1000.0  0.000\r\n"
                                         "Levels: 2000.0  0.000\r\n"
                                         "Levels: 4000.0  0.000\r\n"
                                         "Levels: 8000.0  0.000\r\n"
                                         "Levels: 16000.0  0.000\r\n"
                                         "\r\n"
                                         "Spectra: 9\r\n"
                                         "  0.0  0.0  0.0  0.0  0.0  0.0  0.0  0.0  0.0\r\n"
                                         "\r\n";

/** Everything the file holds, plus the list's bookkeeping: equal snapshots mean an unchanged model. */
std::string Snapshot(const TSpectrumModel& model)
{
    return DataFileText(model) + std::to_string(model.Nodes.Count) + " " +
           std::to_string(model.Nodes.Current);
}

/** Start-up state, as the main window sets it up. */
TSpectrumModel FreshModel()
{
    TSpectrumModel model;
    InitModel(model);
    SetupSpectrum(model, true);
    return model;
}

/** Full octave, data types 1 and 2, Reserved 5, extents 10 to 100 by 5, slot k at 50 + k and 40 + k. */
TSpectrumModel PreviousModel()
{
    TSpectrumModel model = FreshModel();
    model.Nodes.DataType = PowerLevels;
    model.OtherDataType = AttenuationLevels;
    model.Reserved = 5;
    StoreGraphExtents(model, kPreviousExtents.MinLevel, kPreviousExtents.MaxLevel,
                      kPreviousExtents.LevelIncrement);
    for (int k = 0; k < kBandSlots; ++k) {
        model.Nodes.Node[k].Y = kPreviousLevel + k;
        model.OtherLevels[k] = kPreviousOther + k;
    }
    return model;
}

/** The given values for the first slots, then the previous values up to slot count - 1. */
std::vector<float> ThenKept(std::vector<float> read, float previous, int count)
{
    for (int k = static_cast<int>(read.size()); k < count; ++k)
        read.push_back(previous + k);
    return read;
}

std::vector<float> Steps(float first, float step, int count)
{
    std::vector<float> values;
    for (int k = 0; k < count; ++k)
        values.push_back(first + step * k);
    return values;
}

struct FileCase {
    const char* file;
    int bandStart;
    int dataType;
    int otherDataType;
    int reserved;
    GraphExtents extents;
    std::vector<float> levels;      // Y of the node slots from 0
    std::vector<float> otherLevels; // OtherLevels from 0
};

} // namespace

TEST(DataFile, WritesAFreshModelByteForByte)
{
    const TSpectrumModel fresh = FreshModel();
    TempFolder folder;
    const std::string path = folder.File("fresh.snd");
    ASSERT_TRUE(WriteDataFile(fresh, path));
    EXPECT_EQ(Contents(path), kFreshOctaveText);
}

TEST(DataFile, LevelsThatRoundToZeroAreWrittenWithoutASign)
{
    TSpectrumModel model = FreshModel();
    StoreGraphExtents(model, -0.0f, 120.0f, 10.0f);
    for (int k = 0; k < model.Nodes.Count; ++k) {
        model.Nodes.Node[k].Y = k % 2 == 0 ? -0.0f : -0.0004f;
        model.OtherLevels[k] = k % 2 == 0 ? -0.0f : -0.04f;
    }
    EXPECT_EQ(DataFileText(model), kFreshOctaveText);
    model.Nodes.Node[0].Y = -0.0005f;
    EXPECT_NE(DataFileText(model).find("Levels: 63.0  -0.001\r\n"), std::string::npos);
}

TEST(DataFile, RoundTripKeepsWhatTheFileHolds)
{
    TSpectrumModel saved = FreshModel();
    saved.BandStart = kThirdBandStart;
    saved.BandStep = kThirdBandStep;
    saved.Nodes.DataType = CorrectionFactors;
    saved.OtherDataType = PowerLevels;
    saved.Reserved = -12345;
    StoreGraphExtents(saved, -20.5f, 93.25f, 7.5f);
    SetupNodes(saved, false);
    for (int k = 0; k < kBandCount; ++k) {
        saved.Nodes.Node[k].Y = -30.0f + 4.3217f * k;
        saved.OtherLevels[k] = 12.3456f * k - 100.0f;
    }

    TempFolder folder;
    const std::string path = folder.File("third.snd");
    ASSERT_TRUE(WriteDataFile(saved, path));
    TSpectrumModel read = FreshModel();
    ASSERT_TRUE(LoadDataFile(read, path));

    EXPECT_EQ(read.BandStart, kThirdBandStart);
    EXPECT_EQ(read.BandStep, kThirdBandStep);
    EXPECT_EQ(read.Nodes.DataType, CorrectionFactors);
    EXPECT_EQ(read.OtherDataType, PowerLevels);
    EXPECT_EQ(read.Reserved, -12345);
    EXPECT_TRUE(Near(read.MinLevel, -20.5, kPrintedHundredth));
    EXPECT_TRUE(Near(read.MaxLevel, 93.25, kPrintedHundredth));
    EXPECT_TRUE(Near(read.LevelIncrement, 7.5, kPrintedHundredth));
    ASSERT_EQ(read.Nodes.Count, kBandCount);
    EXPECT_EQ(read.Nodes.Current, 0);
    for (int k = 0; k < kBandCount; ++k) {
        EXPECT_EQ(read.Nodes.Node[k].X, saved.Nodes.Node[k].X) << "slot " << k;
        EXPECT_TRUE(Near(read.Nodes.Node[k].Y, saved.Nodes.Node[k].Y, 0.0005 + kLevelTolerance))
            << "slot " << k;
        EXPECT_TRUE(Near(read.OtherLevels[k], saved.OtherLevels[k], kPrintedTenth + kLevelTolerance))
            << "slot " << k;
    }
    TSpectrumModel recalculated = read;
    Recalculate(recalculated);
    EXPECT_EQ(recalculated.WeightedLevel, read.WeightedLevel) << "the ratings are those of the levels read";
    EXPECT_EQ(recalculated.STC, read.STC);
}

TEST(DataFile, ExtentsSurviveASaveAndReload)
{
    TempFolder folder;
    const std::string path = folder.File("extents.snd");
    for (const GraphExtents extents : {GraphExtents{0, 120, 0.1f}, GraphExtents{0, 1, 0.01f},
                                       GraphExtents{-50, 150, 2.5f}, GraphExtents{0, 100000, 10}}) {
        TSpectrumModel saved = FreshModel();
        StoreGraphExtents(saved, extents.MinLevel, extents.MaxLevel, extents.LevelIncrement);
        ASSERT_TRUE(WriteDataFile(saved, path));
        TSpectrumModel read = FreshModel();
        ASSERT_TRUE(LoadDataFile(read, path));
        EXPECT_EQ(read.MinLevel, extents.MinLevel);
        EXPECT_EQ(read.MaxLevel, extents.MaxLevel);
        EXPECT_EQ(read.LevelIncrement, extents.LevelIncrement) << extents.MaxLevel;
    }
}

TEST(DataFile, ReadsEachCaseFileOverThePreviousState)
{
    // clang-format off
    const FileCase cases[] = {
        {"fresh_octave.snd", kOctaveBandStart, 0, 0, 0, {0, 120, 10}, Steps(0, 0, 9), Steps(0, 0, 9)},
        {"wrong_frequencies.snd", kOctaveBandStart, 0, 0, 0, {0, 120, 10}, Steps(10, 10, 9), Steps(0, 0, 9)},
        {"third_octave_27_levels.snd", kThirdBandStart, 1, 3, 0, {-10, 110, 10}, Steps(20.125f, 1, 27),
         Steps(60, -1, 27)},
        {"five_levels_only.snd", kOctaveBandStart, 1, 2, 5, kPreviousExtents,
         ThenKept({1, 2, 3, 4, 5}, kPreviousLevel, 9), ThenKept({}, kPreviousOther, 9)},
        // Keywords are whole words with their case and colon, wherever they stand, comments included.
        {"keyword_in_comment.snd", kOctaveBandStart, 3, 1, 7, {20, 80, 20},
         ThenKept({12.5f, 30, 40}, kPreviousLevel, 9), ThenKept({}, kPreviousOther, 9)},
        // Only the two band sets and data types 0 to 3 are taken; a lone "Bands:" number is not a pair.
        {"bands_out_of_range.snd", kThirdBandStart, 3, 2, 99, kPreviousExtents,
         ThenKept({}, kPreviousLevel, 27), ThenKept({}, kPreviousOther, 27)},
        // The 35 levels fill the 30 slots; the count of 40 stores 30 levels; the others store none.
        {"hostile_counts.snd", kOctaveBandStart, 1, 2, 5, kPreviousExtents, Steps(1, 1, kBandSlots),
         Steps(0.5f, 1, kBandSlots)},
        // nan, inf, hexadecimal and out-of-range numbers do not read; unread pairs still go in as zeros.
        {"unreadable_numbers.snd", kOctaveBandStart, 1, 2, 5, {20, 100, 5},
         ThenKept({0, 0, 0, 0, 0}, kPreviousLevel, 9), ThenKept({1}, kPreviousOther, 9)},
        // A number stops where the word stops being one; "Spectra:" without a count reads nothing.
        {"partial_numbers.snd", kOctaveBandStart, 1, 2, 5, {-50, 100, 25},
         ThenKept({45.5f, 12, 0, 33}, kPreviousLevel, 9), ThenKept({12}, kPreviousOther, 9)},
        {"empty.snd", kOctaveBandStart, 1, 2, 5, kPreviousExtents, ThenKept({}, kPreviousLevel, 9),
         ThenKept({}, kPreviousOther, 9)},
    };
    // clang-format on
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.file);
        TSpectrumModel model = PreviousModel();
        ASSERT_TRUE(LoadDataFile(model, (kDataFolder / c.file).string()));

        const int bandStep = c.bandStart == kThirdBandStart ? kThirdBandStep : kOctaveBandStep;
        EXPECT_EQ(model.BandStart, c.bandStart);
        EXPECT_EQ(model.BandStep, bandStep);
        EXPECT_EQ(model.Nodes.Count, BandCount(c.bandStart, bandStep));
        EXPECT_EQ(model.Nodes.Current, 0);
        EXPECT_EQ(model.Nodes.DataType, c.dataType);
        EXPECT_EQ(model.OtherDataType, c.otherDataType);
        EXPECT_EQ(model.Reserved, c.reserved);
        EXPECT_TRUE(Near(model.MinLevel, c.extents.MinLevel, kLevelTolerance));
        EXPECT_TRUE(Near(model.MaxLevel, c.extents.MaxLevel, kLevelTolerance));
        EXPECT_TRUE(Near(model.LevelIncrement, c.extents.LevelIncrement, kLevelTolerance));
        for (std::size_t k = 0; k < c.levels.size(); ++k)
            EXPECT_TRUE(Near(model.Nodes.Node[k].Y, c.levels[k], kLevelTolerance)) << "node " << k;
        for (std::size_t k = 0; k < c.otherLevels.size(); ++k)
            EXPECT_TRUE(Near(model.OtherLevels[k], c.otherLevels[k], kLevelTolerance)) << "other " << k;
        for (int k = 0; k < model.Nodes.Count; ++k)
            EXPECT_EQ(model.Nodes.Node[k].X, BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]))
                << "node " << k << " sits on its band whatever frequency the file gave";
    }
}

TEST(DataFile, UnreadableFilesLeaveTheModelAlone)
{
    TempFolder folder;
    const std::string tooLarge = folder.File("too_large.snd");
    Store(tooLarge, std::string(kMaxDataFileBytes + 1, ' '));
    // A named pipe without a writer would block a reader that opened it.
    const std::string pipe = folder.File("pipe.snd");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string cases[] = {folder.File("missing.snd"), folder.Path().string(), tooLarge, pipe};
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        TSpectrumModel model = PreviousModel();
        const std::string before = Snapshot(model);
        EXPECT_FALSE(LoadDataFile(model, path));
        EXPECT_EQ(Snapshot(model), before);
    }
    fs::resize_file(tooLarge, kMaxDataFileBytes);
    TSpectrumModel model = PreviousModel();
    EXPECT_TRUE(LoadDataFile(model, tooLarge)) << "one byte less is the largest file read";
}

TEST(DataFile, Utf16AndByteOrderMarksReadAsTheTextTheyHold)
{
    // From the first keyword on, so that a byte-order mark stands right before it.
    std::string text = Contents(kDataFolder / "third_octave_27_levels.snd");
    text.erase(0, text.find("Bands:"));
    TSpectrumModel expected = PreviousModel();
    LoadDataText(expected, text);
    TempFolder folder;
    const std::u16string units(text.begin(), text.end());
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, Utf16Bytes(units, false, true),
                                     Utf16Bytes(units, false, false), Utf16Bytes(units, true, false)}) {
        Store(folder.File("encoded.snd"), bytes);
        TSpectrumModel model = PreviousModel();
        ASSERT_TRUE(LoadDataFile(model, folder.File("encoded.snd")));
        EXPECT_EQ(Snapshot(model), Snapshot(expected)) << testing::PrintToString(bytes.substr(0, 8));
    }
}

TEST(DataFile, WriteReplacesAnOldFileAndLeavesNothingElse)
{
    TempFolder folder;
    const std::string path = folder.File("spectrum.snd");
    Store(path, "old contents");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    const TSpectrumModel model = FreshModel();

    ASSERT_TRUE(WriteDataFile(model, path));
    EXPECT_EQ(Contents(path), kFreshOctaveText);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"spectrum.snd"});
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write)
        << "a private file stays private";
}

TEST(DataFile, WriteThroughALinkReplacesTheFileItNames)
{
    TempFolder folder;
    const std::string real = folder.File("real.snd");
    const std::string link = folder.File("link.snd");
    Store(real, "old contents");
    fs::create_symlink(real, link);

    ASSERT_TRUE(WriteDataFile(FreshModel(), link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(real), kFreshOctaveText);
}

TEST(DataFile, WriteThroughADanglingLinkCreatesTheFileItNames)
{
    TempFolder folder;
    fs::create_directory(folder.Path() / "links");
    fs::create_directory(folder.Path() / "made");
    fs::create_symlink("../made/chained.snd", folder.Path() / "links/hop.snd");
    fs::create_symlink("loop.snd", folder.Path() / "loop.snd");
    struct Case {
        const char* link;
        std::string target;
        const char* created;
    };
    // A relative link names a file from the folder that holds the link.
    const Case cases[] = {
        {"links/sibling.snd", "sibling.new", "links/sibling.new"},
        {"links/up.snd", "../made/up.snd", "made/up.snd"},
        {"absolute.snd", folder.File("made/absolute.snd"), "made/absolute.snd"},
        {"chain.snd", "links/hop.snd", "made/chained.snd"},
    };
    const TSpectrumModel model = FreshModel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        fs::create_symlink(c.target, folder.Path() / c.link);
        std::string reason;
        ASSERT_TRUE(WriteDataFile(model, folder.File(c.link), &reason)) << reason;
        EXPECT_TRUE(fs::is_symlink(folder.File(c.link)));
        EXPECT_EQ(Contents(folder.File(c.created)), kFreshOctaveText);
    }
    std::string reason;
    EXPECT_FALSE(WriteDataFile(model, folder.File("loop.snd"), &reason));
    EXPECT_EQ(reason, std::strerror(ELOOP));
}

TEST(DataFile, WritesNamesOfTheLongestLengthAFolderTakes)
{
    TempFolder folder;
    const TSpectrumModel model = FreshModel();
    // 255 bytes is the longest name Linux file systems take.
    for (const std::size_t length : {240u, 255u}) {
        SCOPED_TRACE(length);
        const std::string path = folder.File(std::string(length - 4, 'n') + ".snd");
        for (const char* state : {"new", "existing"}) {
            std::string reason;
            EXPECT_TRUE(WriteDataFile(model, path, &reason)) << state << " file: " << reason;
        }
        EXPECT_EQ(Contents(path), kFreshOctaveText);
    }
    EXPECT_EQ(folder.Names().size(), 2u) << "no temporary file is left behind";
}

TEST(DataFile, FailedWritesReturnFalseAndKeepTheOldFile)
{
    TempFolder folder;
    const TSpectrumModel model = FreshModel();

    EXPECT_FALSE(WriteDataFile(model, folder.File("no_such_folder/spectrum.snd")));
    EXPECT_FALSE(WriteDataFile(model, folder.Path().string())) << "a folder is not a file to replace";
    EXPECT_TRUE(folder.Names().empty());

    // A file size limit below the text's length makes the flush fail halfway, as a full disk would.
    const std::string path = folder.File("spectrum.snd");
    Store(path, "old contents");
    bool written = true;
    {
        const velmora::test::FileSizeLimit limit(64);
        ASSERT_TRUE(limit.Applied());
        IgnoreFileSizeSignal(); // as both programs do first thing
        written = WriteDataFile(model, path);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(Contents(path), "old contents");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"spectrum.snd"});
}

TEST(DataFile, WriteRefusesAFileOrFolderThatMayNotBeWritten)
{
    const TSpectrumModel model = FreshModel();
    // Files of the process table cannot be replaced, and no file can be made beside them, even by
    // root, whom permission bits do not stop.
    const std::string procFile = "/proc/self/cmdline";
    const std::string before = Contents(procFile);
    EXPECT_FALSE(WriteDataFile(model, procFile));
    EXPECT_EQ(Contents(procFile), before);
    EXPECT_FALSE(WriteDataFile(model, "/proc/self/spectrum.snd")) << "no temporary file can be made there";

    TempFolder folder;
    const std::string path = folder.File("spectrum.snd");
    Store(path, "old contents");
    fs::permissions(path, fs::perms::owner_read);
    // Permission bits bind every user but root.
    if (!std::ofstream(path, std::ios::app)) {
        EXPECT_FALSE(WriteDataFile(model, path)) << "a read-only file stays as it is";
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
        fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteDataFile(model, path)) << "no temporary file can be made in a read-only folder";
        fs::permissions(folder.Path(), fs::perms::owner_all);
    }
    EXPECT_EQ(Contents(path), "old contents");
}
