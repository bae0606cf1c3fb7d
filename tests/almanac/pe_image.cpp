#include "pe_image.h"

#include <fstream>
#include <iterator>

namespace almanac_test {

namespace {

class Reader {
public:
    explicit Reader(const std::vector<unsigned char> &bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }

    std::uint32_t u16(std::size_t at) {
        if (!has(at, 2)) return 0;
        return bytes_[at] | (bytes_[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) {
        if (!has(at, 4)) return 0;
        return static_cast<std::uint32_t>(bytes_[at]) | (static_cast<std::uint32_t>(bytes_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[at + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[at + 3]) << 24);
    }
    std::string cstring(std::size_t at) {
        std::string s;
        while (has(at, 1) && bytes_[at] != 0 && s.size() < 256) s.push_back(static_cast<char>(bytes_[at++]));
        return s;
    }

private:
    bool has(std::size_t at, std::size_t n) {
        if (at > bytes_.size() || bytes_.size() - at < n) ok_ = false;
        return ok_;
    }
    const std::vector<unsigned char> &bytes_;
    bool ok_ = true;
};

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

}  // namespace

PeImage ReadPeImage(const std::vector<unsigned char> &bytes) {
    PeImage image;
    Reader r(bytes);
    if (r.u16(0) != 0x5A4D) {
        image.error = "no MZ header";
        return image;
    }
    const std::size_t pe = r.u32(0x3C);
    if (r.u32(pe) != 0x00004550) {
        image.error = "no PE signature";
        return image;
    }
    const std::size_t coff = pe + 4;
    image.machine = static_cast<std::uint16_t>(r.u16(coff));
    const std::uint32_t sectionCount = r.u16(coff + 2);
    const std::uint32_t optionalSize = r.u16(coff + 16);
    image.isDll = (r.u16(coff + 18) & 0x2000) != 0;
    const std::size_t optional = coff + 20;
    if (r.u16(optional) != 0x10B) {
        image.error = "not a PE32 image";
        return image;
    }
    const std::uint32_t directoryCount = r.u32(optional + 92);
    auto directory = [&](std::uint32_t index) -> std::uint32_t {
        return index < directoryCount ? r.u32(optional + 96 + 8 * index) : 0;
    };

    std::vector<Section> sections;
    const std::size_t table = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount && i < 96; ++i) {
        const std::size_t s = table + 40 * i;
        sections.push_back({r.u32(s + 12), r.u32(s + 8), r.u32(s + 20), r.u32(s + 16)});
    }
    auto offsetOf = [&](std::uint32_t rva) -> std::size_t {
        for (const Section &s : sections) {
            const std::uint32_t size = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
            if (rva >= s.virtualAddress && rva - s.virtualAddress < size) {
                return static_cast<std::size_t>(s.rawOffset) + (rva - s.virtualAddress);
            }
        }
        return bytes.size();  // out of range: every read fails
    };

    if (const std::uint32_t exportRva = directory(0)) {
        const std::size_t e = offsetOf(exportRva);
        image.exportDllName = r.cstring(offsetOf(r.u32(e + 12)));
        const std::uint32_t base = r.u32(e + 16);
        image.exportedFunctionCount = r.u32(e + 20);
        const std::uint32_t nameCount = r.u32(e + 24);
        const std::size_t functions = offsetOf(r.u32(e + 28));
        const std::size_t names = offsetOf(r.u32(e + 32));
        const std::size_t ordinals = offsetOf(r.u32(e + 36));
        for (std::uint32_t i = 0; i < nameCount && i < 4096 && r.ok(); ++i) {
            PeExport x;
            x.name = r.cstring(offsetOf(r.u32(names + 4 * i)));
            x.ordinal = base + r.u16(ordinals + 2 * i);
            const std::uint32_t index = x.ordinal - base;
            x.rva = index < image.exportedFunctionCount ? r.u32(functions + 4 * index) : 0;
            image.exports.push_back(x);
        }
        for (PeExport &x : image.exports) {
            std::uint32_t end = x.rva + 4096;
            for (const PeExport &other : image.exports) {
                if (other.rva > x.rva && other.rva < end) end = other.rva;
            }
            const std::size_t from = offsetOf(x.rva);
            for (std::size_t k = 0; k + 3 <= end - x.rva && from + k + 3 <= bytes.size(); ++k) {
                if (bytes[from + k] == 0xC2) {
                    x.returnPops.push_back(bytes[from + k + 1] | (bytes[from + k + 2] << 8));
                }
            }
        }
    }
    if (const std::uint32_t importRva = directory(1)) {
        std::size_t d = offsetOf(importRva);
        for (int i = 0; i < 256 && r.ok(); ++i, d += 20) {
            const std::uint32_t nameRva = r.u32(d + 12);
            if (nameRva == 0 && r.u32(d + 16) == 0) break;
            image.importedDlls.push_back(r.cstring(offsetOf(nameRva)));
        }
    }
    image.valid = r.ok();
    if (!image.valid) image.error = "truncated or damaged tables";
    return image;
}

PeImage ReadPeFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        PeImage image;
        image.error = "cannot open " + path;
        return image;
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadPeImage(bytes);
}

}  // namespace almanac_test
