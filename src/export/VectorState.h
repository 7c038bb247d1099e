#pragma once

namespace tonzug {

// ISA-L's vector code may leave the upper halves of the AVX registers in use; the SSE code
// that runs next on the thread (zlib, the filters) then pays for every instruction, up to
// three times the time. Called after each ISA-L routine.
inline void ClearUpperVectorState() {
#if defined(__x86_64__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) {
        asm volatile("vzeroupper" ::: "memory");
    }
#endif
}

}  // namespace tonzug
