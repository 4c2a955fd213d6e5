#include "platform/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace velmora {

#if defined(__x86_64__) || defined(__i386__)

namespace {

// Compiled for AVX alone, so that the rest of the program keeps running on processors without it.
__attribute__((target("avx"))) void ZeroUpper()
{
    _mm256_zeroupper();
}

} // namespace

void ClearUpperVectorState()
{
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        ZeroUpper();
}

#else

void ClearUpperVectorState() {}

#endif

} // namespace velmora
