#include "io/TextEncoding.h"

#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::test;

TEST(TextEncoding, Utf16InEitherOrderBecomesTheSameUtf8)
{
    struct Case {
        std::u16string units;
        std::string utf8; // what the compiler makes of the same characters, or U+FFFD for a bad unit
    };
    // clang-format off
    const Case cases[] = {
        {u"Levels: 63.0  45.5\r\n", "Levels: 63.0  45.5\r\n"},
        {u"Fr\u00E9quence \u2013 dB \U0001F50A", "Fr\u00E9quence \u2013 dB \U0001F50A"},
        {u"a\xD83D", "a\uFFFD"},           // a high surrogate at the end
        {u"a\xDC00" "b", "a\uFFFD" "b"},   // a low surrogate alone
        {u"a\xD800\xD800\xDC00", "a\uFFFD\U00010000"},
        {std::u16string(u"1\0" "2", 3), std::string("1\0" "2", 3)},
        {u"#", "#"},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (const bool bigEndian : {false, true}) {
            for (const bool mark : {false, true}) {
                const std::string bytes = Utf16Bytes(c.units, bigEndian, mark);
                SCOPED_TRACE(testing::PrintToString(bytes));
                std::string converted;
                EXPECT_EQ(TextOfBytes(bytes, converted), c.utf8);
                converted.clear();
                if (mark)
                    EXPECT_EQ(TextOfBytes(bytes + "x", converted), c.utf8 + "\uFFFD") << "a last odd byte";
                else
                    EXPECT_EQ(TextOfBytes(bytes + "x", converted), bytes + "x")
                        << "an odd length is no UTF-16";
            }
        }
    }
    std::string converted;
    EXPECT_EQ(TextOfBytes(Utf16Bytes(std::u16string(), false, true), converted), "");
}

TEST(TextEncoding, OtherTextIsTakenAsItIsWithoutAUtf8Mark)
{
    const std::string plain = "Bands: 1  3\r\n\xE9t\xC3\xA9";
    std::string converted;
    const std::string_view same = TextOfBytes(plain, converted);
    EXPECT_EQ(same.data(), plain.data()) << "no copy";
    EXPECT_EQ(same.size(), plain.size());
    EXPECT_EQ(TextOfBytes("\xEF\xBB\xBF" + plain, converted), plain);
    // Not UTF-16 by its start: a NUL first with a byte above ASCII, two NULs, a single byte.
    for (const std::string& other : {std::string("\0\xE9", 2), std::string("\0\0a\0", 4),
                                     std::string("\0", 1), std::string("\xE9\0", 2)}) {
        EXPECT_EQ(TextOfBytes(other, converted), other);
    }
    EXPECT_TRUE(converted.empty()) << "nothing converted";
}
