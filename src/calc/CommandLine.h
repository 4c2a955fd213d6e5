#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

/** An option a command accepts. */
struct OptionSpec {
    /** The long name with its dashes, "--format"; parsed values are keyed by it. */
    std::string_view name;
    /** A short form with its dash, "-o", or empty. */
    std::string_view alias;
    bool takesValue = false;
};

struct ParsedArguments {
    /** Each option given, by its long name: its value, or empty for a flag. The last one given wins. */
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> operands;
    /** "--help" or "-h" was among the options. */
    bool help = false;

    bool Has(std::string_view name) const { return options.find(name) != options.end(); }
    /** The value of an option, or fallback when it was not given. */
    std::string Value(std::string_view name, std::string_view fallback = {}) const;
};

/**
 * Splits a command's arguments into options and operands. Options may come anywhere: "--name
 * value", "--name=value" or "-o value"; "--" ends them, and a lone "-" is an operand. False, with
 * error saying what was wrong, for an option the command does not know or one missing its value.
 */
bool ParseArguments(std::span<const std::string> arguments, std::span<const OptionSpec> options,
                    ParsedArguments& parsed, std::string& error);

/** text split at every separator; "a,,b" gives three parts, the middle one empty. */
std::vector<std::string_view> SplitAt(std::string_view text, char separator);
/** The parts of a temporary string would point at memory freed before they are read. */
std::vector<std::string_view> SplitAt(std::string&& text, char separator) = delete;

/** True when text ends with ending, letters compared without regard to case. */
bool EndsWithIgnoringCase(std::string_view text, std::string_view ending);

/** The whole of text as a finite decimal number in the "C" locale; nothing for anything else. */
std::optional<double> ParseFiniteNumber(std::string_view text);

/** The whole of text as a decimal int; nothing for anything else, a sign included. */
std::optional<int> ParseCount(std::string_view text);

} // namespace velmora
