#include "io/TextEncoding.h"

#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::test;

TEST(TextEncoding, Utf16InEitherOrderBecomesTheSameUtf8AndOtherTextStaysAsItIs)
{
    // The compiler encodes both sides; a unit that forms no character becomes U+FFFD.
    const std::pair<std::u16string, std::string> cases[] = {
        {u"Fr\u00E9quence \u2013 dB \U0001F50A\r\n", "Fr\u00E9quence \u2013 dB \U0001F50A\r\n"},
        {u"a\xD800\xD800\xDC00\xDC00", "a\uFFFD\U00010000\uFFFD"},
        {u"1\xD83D", "1\uFFFD"},
    };
    for (const auto& [units, utf8] : cases) {
        for (const int form : {0, 1, 2, 3}) {
            const std::string bytes = Utf16Bytes(units, form % 2 == 1, form >= 2);
            std::string converted;
            EXPECT_EQ(TextOfBytes(bytes, converted), utf8) << testing::PrintToString(bytes);
            // A last odd byte is a unit cut short after a mark, and no UTF-16 without one.
            EXPECT_EQ(TextOfBytes(bytes + "x", converted), form >= 2 ? utf8 + "\uFFFD" : bytes + "x");
        }
    }
    const std::string plain = "Bands: 1  3\r\n\xE9t\xC3\xA9";
    std::string converted;
    EXPECT_EQ(TextOfBytes(plain, converted).data(), plain.data()) << "no copy";
    EXPECT_EQ(TextOfBytes("\xEF\xBB\xBF" + plain, converted), plain);
    for (const std::string& other :
         {std::string("\0\xE9", 2), std::string("\0\0", 2), std::string("\xE9\0", 2)})
        EXPECT_EQ(TextOfBytes(other, converted), other);
}
