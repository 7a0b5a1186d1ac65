#pragma once

// A row kernel marked LUMETRA_WIDE_KERNEL is compiled for AVX-512 (x86-64-v4), AVX2 and the
// baseline; the loader picks the widest the processor runs. Sanitizer builds keep the baseline
// only. Built for AVX-512 the compiler may fuse a multiplication and an addition into one
// rounding: a kernel whose results must not change with the processor only adds, compares and
// scales by powers of two.
// A kernel marked LUMETRA_WIDE_UNFUSED_KERNEL multiplies as well: it is built for AVX2 (which
// brings no fused multiply-add) and the baseline, so every processor rounds it alike.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define LUMETRA_WIDE_KERNEL __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#define LUMETRA_WIDE_UNFUSED_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define LUMETRA_WIDE_KERNEL
#define LUMETRA_WIDE_UNFUSED_KERNEL
#endif
