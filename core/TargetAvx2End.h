// Ends the AVX2 region opened by core/TargetAvx2Begin.h. No include guard.

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
