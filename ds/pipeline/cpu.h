// What the processor offers beyond the build's baseline, asked once. The
// line routines use wider forms where they exist and give the same results
// either way.
#pragma once

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define WQ_WIDE_VECTORS 1
#define WQ_TARGET_AVX2 __attribute__((target("avx2")))
#define WQ_TARGET_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))
#endif

namespace wq {

struct CpuFeatures {
  bool Avx2;
  bool Vbmi;  // AVX-512 byte permutes
};
const CpuFeatures& Cpu();

}  // namespace wq
