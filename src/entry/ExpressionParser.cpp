#include "entry/ExpressionParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <utility>

namespace velmora {

namespace {

constexpr int kStateCount = 27;
constexpr int kTokenKinds = 11;

enum class ActionKind : std::uint8_t { Shift, Reduce, Accept, Fail };

/** Shift: the state to push; Reduce: the rule; Fail: the error code. */
struct Action {
    ActionKind Kind = ActionKind::Fail;
    std::uint8_t Target = 0;
};

constexpr Action Shift(int state)
{
    return {ActionKind::Shift, static_cast<std::uint8_t>(state)};
}
constexpr Action Reduce(int rule)
{
    return {ActionKind::Reduce, static_cast<std::uint8_t>(rule)};
}
constexpr Action Fail(int code)
{
    return {ActionKind::Fail, static_cast<std::uint8_t>(code)};
}
constexpr Action kAccept{ActionKind::Accept, 0};

/** Kinds of lookahead token; the action table has one column per kind. */
enum TokenKind : std::int32_t { Plus, Minus, Times, Divide, Caret, Open, Close, Number, Function, End, Bad };

using ActionRow = std::array<Action, kTokenKinds>;

/** A row that does otherwise for every token but the listed ones. */
constexpr ActionRow Row(Action otherwise, std::initializer_list<std::pair<TokenKind, Action>> actions = {})
{
    ActionRow row{};
    row.fill(otherwise);
    for (const auto& [column, action] : actions)
        row[column] = action;
    return row;
}

/** Where an operand may start: a number, a function, one unary minus or an opening parenthesis. */
constexpr ActionRow kOperandRow =
    Row(Fail(ExpressionParser::UnresolvedToken),
        {{Number, Shift(9)}, {Function, Shift(10)}, {Minus, Shift(5)}, {Open, Shift(8)}});

/** After a unary minus: an operand, but not another minus. */
constexpr ActionRow kNegatedRow = Row(Fail(ExpressionParser::UnresolvedToken),
                                      {{Number, Shift(9)}, {Function, Shift(10)}, {Open, Shift(8)}});

/** A function name must be followed by its opening parenthesis. */
constexpr ActionRow kFunctionRow = Row(Fail(ExpressionParser::UnresolvedToken), {{Open, Shift(18)}});

/** A whole expression: it ends, or goes on with a sum term. */
constexpr ActionRow kExpressionRow =
    Row(Fail(ExpressionParser::UnresolvedOperation), {{End, kAccept}, {Plus, Shift(11)}, {Minus, Shift(12)}});

/** After a complete operand inside parentheses: another sum term, or the closing parenthesis. */
constexpr ActionRow SumOrClose(int closeState)
{
    return Row(Fail(ExpressionParser::UnresolvedOperation),
               {{Plus, Shift(11)}, {Minus, Shift(12)}, {Close, Shift(closeState)}});
}

/** A term that may go on with a product, or be reduced by rule. */
constexpr ActionRow ProductOr(int rule)
{
    return Row(Reduce(rule), {{Times, Shift(13)}, {Divide, Shift(14)}});
}

// The states that reduce on any token find a wrong token only later, in a state that decides on
// it; that fixes which error code a text gets.
constexpr std::array<ActionRow, kStateCount> kActions = {
    kOperandRow,                          // 0: start
    kExpressionRow,                       // 1: Expr
    ProductOr(3),                         // 2: Term
    Row(Reduce(6)),                       // 3: Power
    Row(Reduce(8), {{Caret, Shift(15)}}), // 4: Signed
    kNegatedRow,                          // 5: -
    Row(Reduce(10)),                      // 6: Primary
    Row(Reduce(11)),                      // 7: Operand
    kOperandRow,                          // 8: (
    Row(Reduce(13)),                      // 9: number
    kFunctionRow,                         // 10: function
    kOperandRow,                          // 11: Expr +
    kOperandRow,                          // 12: Expr -
    kOperandRow,                          // 13: Term *
    kOperandRow,                          // 14: Term /
    kOperandRow,                          // 15: Signed ^
    Row(Reduce(9)),                       // 16: - Primary
    SumOrClose(24),                       // 17: ( Expr
    kOperandRow,                          // 18: function (
    ProductOr(1),                         // 19: Expr + Term
    ProductOr(2),                         // 20: Expr - Term
    Row(Reduce(4)),                       // 21: Term * Power
    Row(Reduce(5)),                       // 22: Term / Power
    Row(Reduce(7)),                       // 23: Signed ^ Power
    Row(Reduce(12)),                      // 24: ( Expr )
    SumOrClose(26),                       // 25: function ( Expr
    Row(Reduce(14)),                      // 26: function ( Expr )
};

enum NonTerminal { Expr, Term, Power, Signed, Primary, Operand, kNonTerminals };

/** Marks the goto combinations that never arise. */
constexpr std::uint8_t kNoState = 0xFF;

using GotoRow = std::array<std::uint8_t, kStateCount>;

/** The state to push after reducing to a left side, by the state uncovered after the pops. */
constexpr GotoRow Goto(std::initializer_list<std::pair<std::initializer_list<int>, int>> targets)
{
    GotoRow row{};
    row.fill(kNoState);
    for (const auto& [from, to] : targets)
        for (const int state : from)
            row[state] = static_cast<std::uint8_t>(to);
    return row;
}

constexpr std::array<GotoRow, kNonTerminals> kGoto = {
    Goto({{{0}, 1}, {{8}, 17}, {{18}, 25}}),                             // Expr
    Goto({{{0, 8, 18}, 2}, {{11}, 19}, {{12}, 20}}),                     // Term
    Goto({{{0, 8, 11, 12, 18}, 3}, {{13}, 21}, {{14}, 22}, {{15}, 23}}), // Power
    Goto({{{0, 8, 11, 12, 13, 14, 15, 18}, 4}}),                         // Signed
    Goto({{{0, 8, 11, 12, 13, 14, 15, 18}, 6}, {{5}, 16}}),              // Primary
    Goto({{{0, 5, 8, 11, 12, 13, 14, 15, 18}, 7}}),                      // Operand
};

struct Rule {
    NonTerminal Left;
    int Length;
};

// Rules 1..14 at index rule - 1.
constexpr std::array<Rule, 14> kRules = {{
    {Expr, 3},    // 1: Expr + Term
    {Expr, 3},    // 2: Expr - Term
    {Expr, 1},    // 3: Term
    {Term, 3},    // 4: Term * Power
    {Term, 3},    // 5: Term / Power
    {Term, 1},    // 6: Power
    {Power, 3},   // 7: Signed ^ Power
    {Power, 1},   // 8: Signed
    {Signed, 2},  // 9: - Primary
    {Signed, 1},  // 10: Primary
    {Primary, 1}, // 11: Operand
    {Operand, 3}, // 12: ( Expr )
    {Operand, 1}, // 13: number
    {Operand, 4}, // 14: function ( Expr )
}};

/**
 * x truncated toward zero into a 32-bit signed integer. Values beyond that range (infinities
 * included) saturate at its limits; NaN gives 0.
 */
double TruncateToInt32(double x)
{
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(x))
        return 0.0;
    if (x <= kLowest)
        return kLowest;
    if (x >= kHighest)
        return kHighest;
    // Through the integer so that a negative fraction gives 0, not -0.
    return static_cast<std::int32_t>(x);
}

struct FunctionEntry {
    std::string_view Name;
    double (*Apply)(double);
};

// The order is the tokeniser's matching order: each name stands before the names it begins with.
constexpr std::array<FunctionEntry, 20> kFunctions = {{
    {"ABS", [](double x) { return std::fabs(x); }},
    {"ACOS", [](double x) { return std::acos(x); }},
    {"ASIN", [](double x) { return std::asin(x); }},
    {"ATAN", [](double x) { return std::atan(x); }},
    {"COSH", [](double x) { return std::cosh(x); }},
    {"COS", [](double x) { return std::cos(x); }},
    // Both angle factors are taken in extended precision and rounded to double once.
    {"DEG",
     [](double x) { return static_cast<double>(x * (1.0L / std::numbers::pi_v<long double>)*180.0L); }},
    {"EXP", [](double x) { return std::exp(x); }},
    {"LOG", [](double x) { return x > 0.0 ? std::log10(x) : x; }},
    {"LN", [](double x) { return x > 0.0 ? std::log(x) : x; }},
    {"RAD",
     [](double x) { return static_cast<double>(x * (1.0L / 180.0L) * std::numbers::pi_v<long double>); }},
    {"ROUND", [](double x) { return TruncateToInt32(x + 0.5); }},
    {"POW10", [](double x) { return std::pow(10.0, x); }},
    {"SINH", [](double x) { return std::sinh(x); }},
    {"SIN", [](double x) { return std::sin(x); }},
    {"SQRT", [](double x) { return x > 0.0 ? std::sqrt(x) : x; }},
    {"SQR", [](double x) { return x * x; }},
    {"TANH", [](double x) { return std::tanh(x); }},
    // Arguments in this closed band beside the pole pass unchanged. The band lies just above
    // pi/2 (1.5707963268), which is not in it and gets the library's large finite tangent.
    {"TAN",
     [](double x) {
         const double size = std::fabs(x);
         return size >= 1.570796632 && size <= 1.570796633 ? x : std::tan(x);
     }},
    {"TRUNC", [](double x) { return TruncateToInt32(x); }},
}};

bool IsLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

ExpressionParser::ExpressionParser() = default;

double ExpressionParser::Evaluate(std::string_view text)
{
    Error = NoError;
    Top = -1;
    if (text.size() > kMaxTextLength) {
        Error = NotANumber;
        return 0.0;
    }
    // Only ASCII letters are upper-cased: the bytes of other characters stay as they are and read
    // as bad tokens.
    std::array<char, kMaxTextLength + 1> workingCopy{};
    std::transform(text.begin(), text.end(), workingCopy.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    // A comma between two digits is the decimal comma of a German or French keyboard ("64,5").
    // Every other comma stays a bad token: no function takes two arguments, so a comma never
    // separated anything, and "1,5,5" still fails as "1.5.5" does.
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (workingCopy[i] == ',' && IsDigit(workingCopy[i - 1]) && IsDigit(workingCopy[i + 1]))
            workingCopy[i] = '.';
    Cursor = workingCopy.data();
    const double value = Parse(workingCopy.data() + text.size());
    Cursor = nullptr;
    return value;
}

double ExpressionParser::Parse(const char* textEnd)
{
    Push(0, TParseEntry{});
    ReadToken(textEnd);
    // The top entry's state, kept at hand: every action starts by looking it up.
    std::uint8_t state = 0;
    while (Error == NoError) {
        const Action action = kActions[state][Token];
        switch (action.Kind) {
        case ActionKind::Shift:
            Push(action.Target, Current);
            state = action.Target;
            ReadToken(textEnd);
            break;
        case ActionKind::Reduce:
            state = Reduce(action.Target);
            break;
        case ActionKind::Accept:
            return Stack[Top].Value;
        case ActionKind::Fail:
            Error = action.Target;
            break;
        }
    }
    return 0.0;
}

void ExpressionParser::Push(std::uint8_t state, const TParseEntry& entry)
{
    if (Top + 1 >= kStackSize) {
        Error = StackOverflow;
        return;
    }
    ++Top;
    Stack[Top].State = state;
    Stack[Top].Name = entry.Name;
    Stack[Top].Value = entry.Value;
}

std::uint8_t ExpressionParser::Reduce(int rule)
{
    const Rule& r = kRules[rule - 1];
    // The left side takes the place of the first right-side symbol, so a reduction never grows
    // the stack and cannot overflow it.
    TParseEntry* symbols = &Stack[Top - r.Length + 1];
    const std::uint8_t state = kGoto[r.Left][Stack[Top - r.Length].State];
    symbols[0].State = state;
    Top -= r.Length - 1;
    double& value = symbols[0].Value;
    switch (rule) {
    case 1:
        value = symbols[0].Value + symbols[2].Value;
        break;
    case 2:
        value = symbols[0].Value - symbols[2].Value;
        break;
    case 4:
        value = symbols[0].Value * symbols[2].Value;
        break;
    case 5:
        // Division by zero is +infinity whatever the sign of the dividend, 0/0 included.
        value = symbols[2].Value == 0.0 ? std::numeric_limits<double>::infinity()
                                        : symbols[0].Value / symbols[2].Value;
        break;
    case 7:
        value = std::pow(symbols[0].Value, symbols[2].Value);
        break;
    case 9:
        value = -symbols[1].Value;
        break;
    case 12:
        value = symbols[1].Value;
        break;
    case 14: {
        const std::string_view name(symbols[0].Name.data());
        const auto function = std::find_if(kFunctions.begin(), kFunctions.end(),
                                           [name](const FunctionEntry& f) { return f.Name == name; });
        value = function->Apply(symbols[2].Value);
        break;
    }
    default: // a rule with one symbol passes its value on
        return state;
    }
    // A fault such as ACOS(2), (-8)^0.5 or 0*(1/0) has no number to give; the text fails.
    if (std::isnan(value))
        Error = NotANumber;
    return state;
}

void ExpressionParser::ReadToken(const char* textEnd)
{
    while (Cursor < textEnd && *Cursor == ' ')
        ++Cursor;
    if (Cursor == textEnd) {
        Token = End;
        return;
    }
    const char c = *Cursor;
    if (IsDigit(c) || c == '.') {
        ReadNumber(textEnd);
        return;
    }
    // The working copy ends in a terminator, so the character after c can always be read.
    const char next = Cursor[1];
    if (c == 'P' && next == 'I') {
        Token = Number;
        Current.Value = std::numbers::pi;
        Cursor += 2;
        return;
    }
    if (IsLetter(c) && !IsLetter(next)) {
        Token = Number;
        Current.Value = static_cast<double>(Variables[c - 'A']);
        ++Cursor;
        return;
    }
    if (IsLetter(c)) {
        const std::string_view rest(Cursor, static_cast<std::size_t>(textEnd - Cursor));
        const auto function =
            std::find_if(kFunctions.begin(), kFunctions.end(),
                         [rest](const FunctionEntry& f) { return rest.starts_with(f.Name); });
        if (function == kFunctions.end()) {
            Token = Bad;
            return;
        }
        static_assert(std::all_of(kFunctions.begin(), kFunctions.end(),
                                  [](const FunctionEntry& f) { return f.Name.size() < kFunctionNameSize; }),
                      "a function name and its terminator fit a stack entry");
        Token = Function;
        const auto nameEnd = std::copy(function->Name.begin(), function->Name.end(), Current.Name.begin());
        *nameEnd = '\0';
        Cursor += function->Name.size();
        return;
    }
    // In the order of the first seven token kinds.
    constexpr std::string_view kOperators = "+-*/^()";
    const std::size_t op = kOperators.find(c);
    Token = op == std::string_view::npos ? Bad : static_cast<std::int32_t>(Plus + op);
    ++Cursor;
}

void ExpressionParser::ReadNumber(const char* textEnd)
{
    const char* start = Cursor;
    bool point = false;
    while (Cursor < textEnd && (IsDigit(*Cursor) || (*Cursor == '.' && !point))) {
        point = point || *Cursor == '.';
        ++Cursor;
    }
    if (Cursor - start == 1 && *start == '.') {
        Token = Bad;
        return;
    }
    if (Cursor < textEnd && *Cursor == 'E') {
        ++Cursor;
        if (Cursor < textEnd && (*Cursor == '+' || *Cursor == '-'))
            ++Cursor;
        // A fourth exponent digit is left for the next token.
        for (int digits = 0; digits < 3 && Cursor < textEnd && IsDigit(*Cursor); ++digits)
            ++Cursor;
    }
    // from_chars reads the longest valid prefix (1E+ as 1) whatever the process locale, and
    // reports a literal beyond the double range, or one that underflows to 0, as out of range.
    double value = 0.0;
    const auto result = std::from_chars(start, Cursor, value);
    if (result.ec != std::errc()) {
        Token = Bad;
        return;
    }
    Token = Number;
    Current.Value = value;
}

std::string ExpressionParser::GetErrorText() const
{
    switch (Error) {
    case UnresolvedToken:
        return "Unresolved token.";
    case UnresolvedOperation:
        return "Unresolved operation.";
    case StackOverflow:
        return "Stack overflow.";
    default:
        return "Parser error.";
    }
}

} // namespace velmora
