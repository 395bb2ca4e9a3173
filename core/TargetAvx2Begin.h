// Compiles every function that follows, up to core/TargetAvx2End.h, for AVX2
// (not FMA: products and sums stay rounded separately). Only the per-
// instruction-set units include it, after all library and system headers, so
// that no inline code shared with other units is compiled for AVX2; what they
// define between the two has internal linkage except their entry points,
// which are called only after the processor has been checked. No include
// guard: each unit includes it once.

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
