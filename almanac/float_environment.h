// The caller's floating-point environment set aside for the length of one
// export call.  Callers run with any state: Delphi and mingw programs start
// with 64-bit x87 precision, and Delphi unmasks invalid, divide-by-zero and
// overflow.  The library computes under its own fixed state (53-bit
// precision, round to nearest, every exception masked) and hands the
// caller's back untouched, including its exception flags.  Internal.
#ifndef ALMANAC_FLOAT_ENVIRONMENT_H
#define ALMANAC_FLOAT_ENVIRONMENT_H

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#define ALMANAC_X86_FLOAT_STATE 1
#else
#include <cfenv>
#endif

// An export's body must not be merged into the export itself, or the
// compiler may schedule its arithmetic before the guard takes effect.
#if defined(_MSC_VER)
#define ALMANAC_NOINLINE __declspec(noinline)
#else
#define ALMANAC_NOINLINE __attribute__((noinline))
#endif

namespace almanac {

class FloatEnvironmentGuard {
public:
    FloatEnvironmentGuard();
    ~FloatEnvironmentGuard();
    FloatEnvironmentGuard(const FloatEnvironmentGuard &) = delete;
    FloatEnvironmentGuard &operator=(const FloatEnvironmentGuard &) = delete;

private:
#ifdef ALMANAC_X86_FLOAT_STATE
    unsigned char x87_[28];  // fnstenv image: control, status and tag words
    unsigned int mxcsr_;
#else
    std::fenv_t env_;
#endif
};

}  // namespace almanac

#endif  // ALMANAC_FLOAT_ENVIRONMENT_H
