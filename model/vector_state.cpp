#include "model/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {
// Built for the wide instruction set on its own, so the rest of the program
// keeps running on processors without it.
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }
}  // namespace

void ClearUpperVectorState()
{
    if (__builtin_cpu_supports("avx")) ZeroUpper();
}
#else
void ClearUpperVectorState() {}
#endif
