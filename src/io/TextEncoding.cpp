#include "io/TextEncoding.h"

namespace velmora {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;

enum class ByteOrder { None, Little, Big };

bool IsAsciiByte(char c)
{
    return c != '\0' && static_cast<unsigned char>(c) < 0x80;
}

/** The byte order of UTF-16 bytes, and the length of their byte-order mark; None for other text. */
ByteOrder Utf16Order(std::string_view bytes, std::size_t& markLength)
{
    markLength = 2;
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return ByteOrder::Little;
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return ByteOrder::Big;
    markLength = 0;
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return ByteOrder::None;
    if (IsAsciiByte(bytes[0]) && bytes[1] == '\0')
        return ByteOrder::Little;
    if (bytes[0] == '\0' && IsAsciiByte(bytes[1]))
        return ByteOrder::Big;
    return ByteOrder::None;
}

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit < 0xE000;
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order)
{
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [&](std::size_t k) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        return static_cast<char32_t>(order == ByteOrder::Big ? (first << 8) | second : (second << 8) | first);
    };
    std::string text;
    // Mostly ASCII: about one byte for every two; grows as needed otherwise.
    text.reserve(units + 1);
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (IsHighSurrogate(unit) && k + 1 < units && IsLowSurrogate(unitAt(k + 1))) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00));
            ++k;
        } else {
            AppendUtf8(text, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit);
        }
    }
    if (bytes.size() % 2 != 0)
        AppendUtf8(text, kReplacement);
    return text;
}

} // namespace

std::string_view TextOfBytes(std::string_view bytes, std::string& converted)
{
    std::size_t markLength = 0;
    const ByteOrder order = Utf16Order(bytes, markLength);
    if (order != ByteOrder::None) {
        converted = Utf16ToUtf8(bytes.substr(markLength), order);
        return converted;
    }
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        bytes.remove_prefix(kUtf8Mark.size());
    return bytes;
}

} // namespace velmora
