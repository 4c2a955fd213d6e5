#include "calc/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace velmora {

namespace {

constexpr std::string_view kEndOfOptions = "--";

bool IsHelp(std::string_view word)
{
    return word == "--help" || word == "-h";
}

} // namespace

std::string ParsedArguments::Value(std::string_view name, std::string_view fallback) const
{
    const auto found = options.find(name);
    return std::string(found != options.end() ? std::string_view(found->second) : fallback);
}

bool ParseArguments(std::span<const std::string> arguments, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.operands.push_back(word);
            continue;
        }
        if (word == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        if (IsHelp(word)) {
            parsed.help = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string_view name = std::string_view(word).substr(0, equals);
        const auto known = std::find_if(options.begin(), options.end(), [name](const OptionSpec& option) {
            return option.name == name || (!option.alias.empty() && option.alias == name);
        });
        if (known == options.end()) {
            error = "unknown option '" + std::string(name) + "'";
            return false;
        }
        std::string value;
        if (!known->takesValue) {
            if (equals != std::string::npos) {
                error = "option '" + std::string(name) + "' takes no value";
                return false;
            }
        } else if (equals != std::string::npos) {
            value = word.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            error = "option '" + std::string(name) + "' needs a value";
            return false;
        }
        parsed.options[std::string(known->name)] = std::move(value);
    }
    return true;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::optional<double> ParseFiniteNumber(std::string_view text)
{
    double value = 0.0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> ParseCount(std::string_view text)
{
    if (text.empty() || text[0] == '-')
        return std::nullopt;
    int value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

} // namespace velmora
