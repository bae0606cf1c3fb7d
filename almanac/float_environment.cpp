// Saving, setting and restoring the floating-point state around an export.
#include "float_environment.h"

namespace almanac {

#ifdef ALMANAC_X86_FLOAT_STATE

namespace {
// x87: every exception masked, 53-bit precision, round to nearest.
constexpr unsigned short kLibraryControlWord = 0x027F;
// SSE: every exception masked, round to nearest, denormals kept.
constexpr unsigned int kLibraryMxcsr = 0x1F80;
}  // namespace

FloatEnvironmentGuard::FloatEnvironmentGuard() {
    const unsigned short cw = kLibraryControlWord;
    const unsigned int mxcsr = kLibraryMxcsr;
    // fnclex drops a pending exception of the caller's before anything could
    // trap on it; the caller gets its flags back from the saved image.
    asm volatile("fnstenv %0\n\tfnclex\n\tfldcw %1" : "=m"(x87_) : "m"(cw) : "memory");
    asm volatile("stmxcsr %0\n\tldmxcsr %1" : "=m"(mxcsr_) : "m"(mxcsr) : "memory");
}

FloatEnvironmentGuard::~FloatEnvironmentGuard() {
    // Restoring the whole image replaces the flags the library raised, so a
    // caller that unmasks them finds nothing pending at its next x87 step.
    asm volatile("ldmxcsr %0" : : "m"(mxcsr_) : "memory");
    asm volatile("fldenv %0" : : "m"(x87_) : "memory");
}

#else

FloatEnvironmentGuard::FloatEnvironmentGuard() {
    std::feholdexcept(&env_);  // flags cleared, no traps
    std::fesetround(FE_TONEAREST);
}

FloatEnvironmentGuard::~FloatEnvironmentGuard() { std::fesetenv(&env_); }

#endif

}  // namespace almanac
