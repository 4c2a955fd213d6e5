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

std::string FixedTextWithoutNegativeZero(double value, int decimals)
{
    std::string text = FixedText(value, decimals);
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string FormatFloat(std::string_view format, double value, std::size_t maxLength)
{
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            text += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            text += '%';
            ++i;
            continue;
        }
        // "%0.Nf" or "%.Nf": the flag 0 pads nothing without a width, so only N matters.
        std::size_t j = i + 1;
        if (j < format.size() && format[j] == '0')
            ++j;
        int decimals = -1;
        if (j < format.size() && format[j] == '.') {
            decimals = 0;
            for (++j; j < format.size() && format[j] >= '0' && format[j] <= '9' && decimals < 100; ++j)
                decimals = decimals * 10 + (format[j] - '0');
        }
        if (decimals >= 0 && j < format.size() && format[j] == 'f') {
            text += FixedText(value, decimals);
            i = j;
        } else {
            text += format[i];
        }
    }
    if (text.size() > maxLength)
        text.resize(maxLength);
    return text;
}

double NumberOrZero(std::string_view text)
{
    double value = 0.0;
    return ReadLeadingNumber(text, value) ? value : 0.0;
}

} // namespace velmora
