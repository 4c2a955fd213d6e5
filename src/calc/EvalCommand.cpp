#include "calc/Commands.h"

#include "calc/CommandSupport.h"
#include "entry/ExpressionParser.h"

#include <array>
#include <charconv>
#include <string>

namespace velmora {

namespace {

/** value as printf's "%.10g" writes it in the "C" locale, whatever the process locale. */
std::string GeneralText(double value)
{
    // to_chars with a precision prints as printf's "%.*g" does in the "C" locale.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 10);
    return std::string(buffer.data(), result.ptr);
}

int RunEval(const Command& command, const ParsedArguments& arguments, const RenderRunner&)
{
    if (arguments.operands.empty())
        return UsageError(command, "no expression given");
    ExpressionParser parser;
    int status = kExitSuccess;
    for (const std::string& expression : arguments.operands) {
        const double value = parser.Evaluate(expression);
        if (parser.GetError() != ExpressionParser::NoError) {
            Print(parser.GetErrorText() + "\n");
            status = kExitFailure;
        } else {
            Print(GeneralText(value) + "\n");
        }
    }
    return status;
}

} // namespace

constexpr Command kEvalCommand = {
    "eval",
    "eval EXPR...",
    "Evaluates each expression as the window's number fields do (operators, functions such as\n"
    "LOG, PI) and prints its value with \"%.10g\", one line per expression. A comma between two\n"
    "digits is a decimal comma (64,5 is 64.5); the value printed has a point. An expression that\n"
    "does not evaluate prints the evaluator's message in its place, and the exit status is 1.\n"
    "Put \"--\" before an expression that starts with two dashes.\n",
    {},
    true,
    RunEval};

} // namespace velmora
