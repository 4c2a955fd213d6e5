#pragma once

namespace velmora {

/**
 * Clears the upper halves of the processor's 256-bit vector registers, where it has them (x86 with
 * AVX; anywhere else it does nothing). Qt's drawing leaves them in use without clearing them, and
 * on such a processor every instruction of the scalar floating-point code that follows (the ratings,
 * the exp and log of the power sums) then pays a penalty, which makes a recalculation many times
 * slower. The window clears them before the core works on an event.
 */
void ClearUpperVectorState();

} // namespace velmora
