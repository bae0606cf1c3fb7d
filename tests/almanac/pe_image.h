// A small reader of a 32-bit Windows DLL's export and import tables, enough
// to check the cross-built almanac.dll without Windows tools.
#ifndef TESTS_ALMANAC_PE_IMAGE_H
#define TESTS_ALMANAC_PE_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace almanac_test {

struct PeExport {
    std::string name;
    std::uint32_t ordinal;
    std::uint32_t rva;
    // Operands of every "ret imm16" (C2 nn nn) between the entry point and
    // the next export or 4 KiB on: a stdcall function pops its arguments.
    std::vector<std::uint32_t> returnPops;
};

struct PeImage {
    bool valid = false;
    std::string error;
    std::uint16_t machine = 0;
    bool isDll = false;
    std::uint32_t exportedFunctionCount = 0;  // named or not
    std::string exportDllName;
    std::vector<PeExport> exports;
    std::vector<std::string> importedDlls;
};

// Every offset is bounds-checked; a damaged file gives valid = false.
PeImage ReadPeImage(const std::vector<unsigned char> &bytes);
PeImage ReadPeFile(const std::string &path);

}  // namespace almanac_test

#endif  // TESTS_ALMANAC_PE_IMAGE_H
