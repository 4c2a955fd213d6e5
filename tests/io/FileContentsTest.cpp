#include "io/FileContents.h"

#include "io/DataFile.h"
#include "io/TabularLevels.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
