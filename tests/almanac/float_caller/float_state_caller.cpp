// A foreign program's view of the almanac library: every export called for
// every day of a few years and for absurd inputs.
//   reference FILE   writes the answers, computed in the default
//                    floating-point state, one line per call
//   compare FILE     computes them as a Delphi program would call: x87 at
//                    64-bit precision with invalid, divide-by-zero and
//                    overflow unmasked (control word 0x1332), the same three
//                    unmasked on SSE; then compares with FILE: integers and
//                    texts identical, reals within 1e-9 relative.  Every call
//                    must hand the caller's state back unchanged, flags
//                    included, and nothing may trap.
#include <cinttypes>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "almanac.h"

namespace {

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
constexpr unsigned short kHostileControlWord = 0x1332;
constexpr unsigned int kHostileMxcsr = 0x1900;  // invalid, zero divide, overflow unmasked
constexpr unsigned short kDefaultControlWord = 0x037F;
constexpr unsigned int kDefaultMxcsr = 0x1F80;

unsigned short hostileControlWord = 0;  // as read back: reserved bits may read as set

void LoadState(unsigned short cw, unsigned int mxcsr) {
    asm volatile("fnclex\n\tfldcw %0\n\tldmxcsr %1" : : "m"(cw), "m"(mxcsr) : "memory");
}

void LoadHostileState() {
    LoadState(kHostileControlWord, kHostileMxcsr);
    asm volatile("fnstcw %0" : "=m"(hostileControlWord) : : "memory");
}

// Empty string when the state is as the caller left it.
std::string StateChange() {
    unsigned short cw = 0;
    unsigned short sw = 0;
    unsigned int mxcsr = 0;
    asm volatile("fnstcw %0\n\tfnstsw %1\n\tstmxcsr %2" : "=m"(cw), "=m"(sw), "=m"(mxcsr) : : "memory");
    char text[96] = "";
    if (cw != hostileControlWord || mxcsr != kHostileMxcsr || (sw & 0x3F) != 0) {
        std::snprintf(text, sizeof text, "control word %04x, status %04x, MXCSR %04x", cw, sw, mxcsr);
    }
    asm volatile("fwait");  // an unmasked exception left pending traps here
    return text;
}
#define ALMANAC_HOSTILE_STATE 1
#endif

struct Value {
    char kind;  // 'i' integer, 'r' real, 't' text (hex bytes)
    double real = 0.0;
    long long integer = 0;
    std::string text;
};

struct Record {
    int year, month, day;
    const char *call;
    std::vector<Value> values;
};

std::vector<Record> records;
std::vector<std::string> stateChanges;
bool hostile = false;

void OnFloatingPointException(int) {
    const Record &r = records.back();
    std::fprintf(stderr, "floating-point exception in %s for %d-%d-%d\n", r.call, r.year, r.month, r.day);
    std::_Exit(2);
}

void Begin(int y, int m, int d, const char *call) {
    records.push_back({y, m, d, call, {}});
    records.back().values.reserve(4);
}

void Int(long long v) { records.back().values.push_back({'i', 0.0, v, {}}); }
void Real(double v) { records.back().values.push_back({'r', v, 0, {}}); }

void Text(const char *s) {
    Value v{'t', 0.0, 0, {}};
    static const char digits[] = "0123456789abcdef";
    for (const char *p = s; p != nullptr && *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        v.text += digits[c >> 4];
        v.text += digits[c & 15];
    }
    records.back().values.push_back(v);
}

void End() {
#ifdef ALMANAC_HOSTILE_STATE
    if (!hostile) return;
    const std::string change = StateChange();
    if (!change.empty() && stateChanges.size() < 20) {
        const Record &r = records.back();
        stateChanges.push_back(std::string(r.call) + " for " + std::to_string(r.year) + "-" +
                               std::to_string(r.month) + "-" + std::to_string(r.day) + ": " + change);
    }
    LoadHostileState();  // flags clean for the next call
#endif
}

void QueryAll(int y, int m, int d) {
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    for (double hour : {0.0, 12.0}) {
        double age = 0.0;
        double phase = 0.0;
        Begin(y, m, d, hour == 0.0 ? "MoonageDll(0)" : "MoonageDll(12)");
        MoonageDll(hour, &age, &phase);
        Real(age); Real(phase); End();
    }
    static const char *const moonCalls[] = {"", "MoonDll(1)", "MoonDll(2)", "MoonDll(3)"};
    for (int type = 1; type <= 3; ++type) {
        double hour = 0.0;
        double angle = 0.0;
        Begin(y, m, d, moonCalls[type]);
        MoonDll(type, &hour, &angle);
        Real(hour); Real(angle); End();
    }
    static const char *const sunCalls[] = {"", "SunDll(1)", "SunDll(2)", "SunDll(3)", "SunDll(4)", "SunDll(5)"};
    for (int type = 1; type <= 5; ++type) {
        double hour = 0.0;
        double angle = 0.0;
        Begin(y, m, d, sunCalls[type]);
        SunDll(type, &hour, &angle);
        Real(hour); Real(angle); End();
    }
    static const char *const etoCalls[] = {"", "EtoDll(1)", "EtoDll(2)", "EtoDll(3)"};
    for (int type = 1; type <= 3; ++type) {
        int stem = 0;
        int branch = 0;
        Begin(y, m, d, etoCalls[type]);
        const char *text = EtoDll(type, &stem, &branch);
        Int(stem); Int(branch); Text(text); End();
    }
    static const char *const kyuseiCalls[] = {"", "KyuseiDll(1)", "KyuseiDll(2)", "KyuseiDll(3)"};
    for (int type = 1; type <= 3; ++type) {
        int star = 0;
        Begin(y, m, d, kyuseiCalls[type]);
        const char *text = KyuseiDll(type, &star);
        Int(star); Text(text); End();
    }
    {
        int month = 0;
        int day = 0;
        int rokuyo = 0;
        Begin(y, m, d, "RokuyoDll");
        const char *text = RokuyoDll(&month, &day, &rokuyo);
        Int(month); Int(day); Int(rokuyo); Text(text); End();
    }
    static const char *const kisetuCalls[] = {"", "KisetuDll(1)", "KisetuDll(2)", "KisetuDll(3)"};
    for (int type = 1; type <= 3; ++type) {
        double hour = 0.0;
        Begin(y, m, d, kisetuCalls[type]);
        const int day = KisetuDll(type, &hour);
        Int(day); Real(hour); End();
    }
    {
        int code = 0;
        double hour = 0.0;
        double longitude = 0.0;
        Begin(y, m, d, "SekkiDll");
        const char *text = SekkiDll(&code, &hour, &longitude);
        Int(code); Real(hour); Real(longitude); Text(text); End();
    }
    for (double hour : {kNaN, kInf, -kInf, 1e300}) {
        double age = 0.0;
        double phase = 0.0;
        Begin(y, m, d, "MoonageDll(absurd)");
        MoonageDll(hour, &age, &phase);
        Real(age); Real(phase); End();
    }
}

void Set(double latitude, double longitude, double height, int y, int m, int d) {
    int solarMonth = 0;
    Begin(y, m, d, "SetdataDll");
    const int weekday = SetdataDll(latitude, longitude, height, y, m, d, &solarMonth);
    Int(weekday); Int(solarMonth); End();
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

void Collect() {
    static const int years[] = {1975, 2000, 2024, 2053};
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int y : years) {
        for (int m = 1; m <= 12; ++m) {
            const int days = lengths[m - 1] + (m == 2 && IsLeap(y) ? 1 : 0);
            for (int d = 1; d <= days; ++d) {
                Set(35.6581, 139.7414, 40.0, y, m, d);  // Tokyo
                QueryAll(y, m, d);
            }
        }
    }
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    const double places[][3] = {{kNaN, kNaN, kNaN}, {kInf, -kInf, kInf}, {-kInf, kInf, -kInf},
                                {1e308, -1e308, 1e308}, {90.0, 180.0, -1e6}};
    for (const auto &p : places) {
        Set(p[0], p[1], p[2], 2053, 12, 24);
        QueryAll(2053, 12, 24);
    }
    const int dates[][3] = {{INT_MAX, 12, 31}, {INT_MIN, 1, 1}, {2053, 0, 0}, {2053, 13, -100000},
                            {-4713, 1, 1}, {9999, 12, 1000000}};
    for (const auto &dt : dates) {
        Set(0.0, 0.0, 0.0, dt[0], dt[1], dt[2]);
        QueryAll(dt[0], dt[1], dt[2]);
    }
}

std::string Format(const Record &r) {
    std::string line = std::to_string(r.year) + "-" + std::to_string(r.month) + "-" + std::to_string(r.day) + " " +
                       r.call;
    for (const Value &v : r.values) {
        char token[64];
        if (v.kind == 'r') {
            std::snprintf(token, sizeof token, " r%.17g", v.real);
        } else if (v.kind == 'i') {
            std::snprintf(token, sizeof token, " i%lld", v.integer);
        } else {
            std::snprintf(token, sizeof token, " t%s", v.text.c_str());
        }
        line += token;
    }
    return line;
}

bool SameToken(const std::string &mine, const std::string &theirs) {
    if (mine == theirs) return true;
    if (mine.size() < 2 || theirs.size() < 2 || mine[0] != 'r' || theirs[0] != 'r') return false;
    const double a = std::strtod(mine.c_str() + 1, nullptr);
    const double b = std::strtod(theirs.c_str() + 1, nullptr);
    if (std::isnan(a) && std::isnan(b)) return true;  // the sign of a NaN means nothing
    if (std::isnan(a) || std::isnan(b) || std::isinf(a) || std::isinf(b)) return false;
    return std::fabs(a - b) <= 1e-9 * std::fmax(std::fabs(a), std::fabs(b));
}

std::vector<std::string> Split(const std::string &line) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        tokens.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return tokens;
}

int Compare(const char *path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    std::vector<std::string> reference;
    for (std::string line; std::getline(in, line);) reference.push_back(line);
    if (reference.size() != records.size()) {
        std::fprintf(stderr, "%zu answers here, %zu in %s\n", records.size(), reference.size(), path);
        return 1;
    }
    std::size_t values = 0;
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string line = Format(records[i]);
        const std::vector<std::string> mine = Split(line);
        const std::vector<std::string> theirs = Split(reference[i]);
        bool same = mine.size() == theirs.size();
        for (std::size_t k = 0; same && k < mine.size(); ++k) same = SameToken(mine[k], theirs[k]);
        values += records[i].values.size();
        if (!same && ++mismatches <= 20) {
            std::fprintf(stderr, "here:      %s\nreference: %s\n", line.c_str(), reference[i].c_str());
        }
    }
    for (const std::string &change : stateChanges) std::fprintf(stderr, "state changed by %s\n", change.c_str());
    std::printf("%zu calls, %zu values compared, %zu differ; %zu calls changed the caller's state\n",
                records.size(), values, mismatches, stateChanges.size());
    return mismatches == 0 && stateChanges.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode != "reference" && mode != "compare") || argc < 3) {
        std::fprintf(stderr, "usage: %s reference FILE | compare FILE\n", argv[0]);
        return 2;
    }
    if (mode == "reference") {
        Collect();
        std::ofstream out(argv[2]);
        for (const Record &r : records) out << Format(r) << '\n';
        out.close();
        return out ? 0 : 1;
    }
#ifdef ALMANAC_HOSTILE_STATE
    std::signal(SIGFPE, OnFloatingPointException);
    hostile = true;
    LoadHostileState();
    Collect();
    LoadState(kDefaultControlWord, kDefaultMxcsr);
    hostile = false;
#else
    Collect();
#endif
    return Compare(argv[2]);
}
