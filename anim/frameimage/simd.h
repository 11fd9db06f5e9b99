// Which vector paths the pixel code may take. HORAVIA_NO_SIMD builds the
// plain C++ paths alone, so that tests can check them on machines that
// would otherwise take the vector paths.
#pragma once

#if defined(__SSE2__) && !defined(HORAVIA_NO_SIMD)
#include <emmintrin.h>
#define HORAVIA_HAVE_SSE2_PATH 1
#endif
#if defined(HORAVIA_HAVE_SSE2_PATH) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define HORAVIA_HAVE_AVX2_PATH 1
#endif
