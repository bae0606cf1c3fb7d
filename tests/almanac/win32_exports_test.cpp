// The cross-built 32-bit Windows almanac.dll: exactly the nine exports,
// undecorated, with ordinals 1..9, and no imports beyond Windows' own DLLs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "pe_image.h"

namespace {

using almanac_test::PeImage;
using almanac_test::ReadPeImage;

TEST(PeReader, RejectsDamagedFiles) {
    EXPECT_FALSE(ReadPeImage({}).valid);
    std::vector<unsigned char> bytes(0x40, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0xF0;  // PE header beyond the end
    EXPECT_FALSE(ReadPeImage(bytes).valid);
}

#ifdef ALMANAC_WIN32_DLL_PATH

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

class Win32Dll : public testing::Test {
protected:
    void SetUp() override {
        image = almanac_test::ReadPeFile(ALMANAC_WIN32_DLL_PATH);
        ASSERT_TRUE(image.valid) << image.error;
    }
    PeImage image;
};

TEST_F(Win32Dll, IsA32BitDll) {
    EXPECT_EQ(image.machine, 0x14C);
    EXPECT_TRUE(image.isDll);
    EXPECT_EQ(Lower(image.exportDllName), "almanac.dll");
}

TEST_F(Win32Dll, ExportsExactlyTheNineNamesWithTheirOrdinals) {
    const std::vector<std::string> expected = {"SetdataDll", "MoonageDll", "MoonDll",  "SunDll",  "EtoDll",
                                               "KyuseiDll",  "RokuyoDll",  "KisetuDll", "SekkiDll"};
    EXPECT_EQ(image.exportedFunctionCount, 9u);
    ASSERT_EQ(image.exports.size(), 9u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto it = std::find_if(image.exports.begin(), image.exports.end(),
                                     [&](const auto &e) { return e.name == expected[i]; });
        ASSERT_NE(it, image.exports.end()) << expected[i] << " missing";
        EXPECT_EQ(it->ordinal, i + 1) << expected[i];
    }
    for (const auto &e : image.exports) {
        EXPECT_EQ(e.name.find('@'), std::string::npos) << e.name << " is decorated";
        EXPECT_NE(e.name[0], '_') << e.name << " is decorated";
    }
}

TEST_F(Win32Dll, ExportsPopTheirArgumentsAsStdcallDoes) {
    // Bytes of arguments: doubles take 8, ints and pointers 4.
    const struct {
        const char *name;
        std::uint32_t bytes;
    } expected[] = {{"SetdataDll", 40}, {"MoonageDll", 16}, {"MoonDll", 12},  {"SunDll", 12},  {"EtoDll", 12},
                    {"KyuseiDll", 8},   {"RokuyoDll", 12},  {"KisetuDll", 8}, {"SekkiDll", 12}};
    for (const auto &e : expected) {
        const auto it = std::find_if(image.exports.begin(), image.exports.end(),
                                     [&](const auto &x) { return x.name == e.name; });
        ASSERT_NE(it, image.exports.end()) << e.name;
        EXPECT_NE(std::find(it->returnPops.begin(), it->returnPops.end(), e.bytes), it->returnPops.end())
            << e.name << " has no ret " << e.bytes;
    }
}

TEST_F(Win32Dll, ImportsOnlyWindowsSystemLibraries) {
    const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll", "user32.dll", "advapi32.dll",
                                          "ntdll.dll"};
    EXPECT_FALSE(image.importedDlls.empty());
    for (const std::string &dll : image.importedDlls) {
        const std::string name = Lower(dll);
        const bool universalCrt = name.rfind("api-ms-win-crt-", 0) == 0;
        EXPECT_TRUE(system.count(name) || universalCrt) << dll << " would have to ship beside the DLL";
    }
}

#endif  // ALMANAC_WIN32_DLL_PATH

}  // namespace
