#include "entry/NumberText.h"

#include <array>
#include <charconv>

namespace velmora {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

bool ReadLeadingNumber(std::string_view text, double& value)
{
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    // from_chars takes no leading '+', which scanf accepts.
    if (start < text.size() && text[start] == '+' && start + 1 < text.size() && text[start + 1] != '-')
        ++start;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (end == first)
        return false;
    value = error == std::errc::result_out_of_range ? 0.0 : parsed;
    return true;
}

std::string FixedText(double value, int decimals)
{
    // to_chars ignores the process locale, which the GUI toolkit sets from the environment.
    // The largest double has 309 digits before the point.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

double NumberOrZero(std::string_view text)
{
    double value = 0.0;
    return ReadLeadingNumber(text, value) ? value : 0.0;
}

} // namespace velmora
