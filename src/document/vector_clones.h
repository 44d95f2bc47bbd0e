// Hot pixel loops are compiled twice, for the baseline x86-64 instruction set and for AVX2, and
// the loader picks the one the processor runs. The source is the same, so the results are too.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(TAVLO_NO_VECTOR_CLONES)
#define TAVLO_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TAVLO_VECTOR_CLONES
#endif
