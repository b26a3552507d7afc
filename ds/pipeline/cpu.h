// What the processor offers beyond the build's baseline, asked once. The
// line routines use wider forms where they exist and give the same results
// either way.
#pragma once

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
// AVX2 forms, in both word sizes.
#define WQ_AVX2_FORMS 1
#define WQ_TARGET_AVX2 __attribute__((target("avx2")))
#if defined(__i386__)
// Windows keeps 32-bit stacks 4-byte aligned and callers are any program;
// the functions that enter vector code realign theirs for the spills.
#define WQ_VECTOR_ENTRY __attribute__((target("avx2"), force_align_arg_pointer))
#else
#define WQ_VECTOR_ENTRY WQ_TARGET_AVX2
#endif
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// AVX-512 forms, 64-bit builds only.
#define WQ_WIDE_VECTORS 1
#define WQ_TARGET_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))
#endif

namespace wq {

struct CpuFeatures {
  bool Avx2;
  bool Vbmi;  // AVX-512 byte permutes
};
const CpuFeatures& Cpu();

}  // namespace wq
