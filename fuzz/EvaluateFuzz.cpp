#include "entry/ExpressionParser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

/** The result is never NaN, is 0 whenever the evaluation failed, and the code is a known one. */
bool Sound(double result, int error)
{
    return !std::isnan(result) && error >= velmora::ExpressionParser::NoError &&
           error <= velmora::ExpressionParser::NotANumber &&
           (error == velmora::ExpressionParser::NoError || result == 0.0);
}

} // namespace

// Each input goes to a fresh evaluator and to one reused across all inputs, as the program's
// one instance is: both must agree, or a failed evaluation left something behind.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static velmora::ExpressionParser reused;
    velmora::ExpressionParser fresh;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const double freshResult = fresh.Evaluate(text);
    const double reusedResult = reused.Evaluate(text);
    if (!Sound(freshResult, fresh.GetError()) || !Sound(reusedResult, reused.GetError()) ||
        freshResult != reusedResult || fresh.GetError() != reused.GetError())
        __builtin_trap();
    return 0;
}
