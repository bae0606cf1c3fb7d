#include "almanac_state.h"

#include <cstring>

namespace almanac {

AlmanacState g_state{};

const char *SetResultText(const char *text) {
    char *out = g_state.ResultText;
    if (text == nullptr) {
        out[0] = '\0';
        return out;
    }
    const std::size_t n = strnlen(text, kResultTextSize - 1);
    std::memcpy(out, text, n);
    out[n] = '\0';
    return out;
}

}  // namespace almanac
