// Asking the processor once whether it has AVX2 and AVX-512 VBMI, in builds
// that carry the wide forms at all.
#include "ds/pipeline/cpu.h"

namespace wq {

const CpuFeatures& Cpu() {
  static const CpuFeatures features = [] {
    CpuFeatures f{};
#if WQ_AVX2_FORMS
    __builtin_cpu_init();
    f.Avx2 = __builtin_cpu_supports("avx2");
#endif
#if WQ_WIDE_VECTORS
    f.Vbmi = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
             __builtin_cpu_supports("avx512vbmi");
#endif
    return f;
  }();
  return features;
}

}  // namespace wq
