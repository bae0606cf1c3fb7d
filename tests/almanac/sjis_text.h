// Decodes the library's code page 932 texts to UTF-8 so tests can compare
// them with the names as written.
#ifndef TESTS_ALMANAC_SJIS_TEXT_H
#define TESTS_ALMANAC_SJIS_TEXT_H

#include <iconv.h>

#include <cstring>
#include <string>

namespace almanac_test {

// UTF-8 text of a NUL-terminated CP932 string; "<invalid>" when it does not
// decode, "<null>" for a null pointer.
inline std::string FromCp932(const char *bytes) {
    if (bytes == nullptr) return "<null>";
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no CP932 converter>";
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char *inPtr = in.data();
    std::size_t inLeft = in.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0) return "<invalid>";
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace almanac_test

#endif  // TESTS_ALMANAC_SJIS_TEXT_H
