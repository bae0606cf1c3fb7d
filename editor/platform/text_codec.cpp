#include "text_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <utility>

namespace tamarie {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscape(char16_t c) { return c >= 0xDC80 && c <= 0xDCFF; }

// One conversion descriptor per direction, opened once; iconv keeps no state
// between whole-buffer conversions of stateless encodings.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

Converter &Cp932ToUtf16()
{
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}
Converter &Utf16ToCp932()
{
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

bool AllAscii(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i)
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    return true;
}

// Length of the valid UTF-8 sequence at p (1..4), or 0 when it is not one.
int Utf8SequenceLength(const unsigned char *p, qsizetype left, char32_t &cp)
{
    const unsigned char b = p[0];
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    int len;
    char32_t min;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2, cp = b & 0x1F, min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, cp = b & 0x0F, min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (left < len)
        return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

} // namespace

QString DecodeCp932(const char *data, qsizetype size)
{
    if (AllAscii(data, size))
        return QString::fromLatin1(data, size);
    QString out;
    out.resize(size); // every byte gives at most one UTF-16 unit
    auto *dst = reinterpret_cast<char *>(out.data());
    size_t outLeft = static_cast<size_t>(size) * 2;
    char *in = const_cast<char *>(data);
    size_t inLeft = static_cast<size_t>(size);
    Converter &conv = Cp932ToUtf16();
    iconv_t cd = conv.ok() ? conv.get() : nullptr;
    while (inLeft > 0) {
        if (cd) {
            const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
            if (r != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG) // cannot happen with the size above; stay safe
                break;
        }
        // An undecodable byte (or a lead byte at the very end) becomes an escape.
        const char16_t esc = kEscapeBase + static_cast<unsigned char>(*in);
        std::memcpy(dst, &esc, 2);
        dst += 2;
        outLeft -= 2;
        ++in;
        --inLeft;
    }
    out.resize((dst - reinterpret_cast<char *>(out.data())) / 2);
    return out;
}

QString DecodeUtf8(const char *data, qsizetype size)
{
    if (AllAscii(data, size))
        return QString::fromLatin1(data, size);
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < size;) {
        char32_t cp;
        const int n = Utf8SequenceLength(p + i, size - i, cp);
        if (n == 0) {
            out.append(QChar(char16_t(kEscapeBase + p[i])));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out.append(QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10))));
            out.append(QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF))));
        } else {
            out.append(QChar(char16_t(cp)));
        }
        i += n;
    }
    return out;
}

namespace {
QString DecodeUtf16(const char *data, qsizetype size, bool bigEndian)
{
    const qsizetype units = size / 2; // an odd last byte is half a character: dropped
    QString out;
    out.resize(units);
    auto *dst = out.data();
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const int hi = bigEndian ? 0 : 1;
    for (qsizetype i = 0; i < units; ++i)
        dst[i] = QChar(char16_t(p[2 * i + 1 - hi] | (p[2 * i + hi] << 8)));
    return out;
}

bool HasEscapes(const QString &text)
{
    // Code page 932 decodes to the basic plane only, so any unit in the
    // escape range is an undecodable byte.
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return IsEscape(c.unicode()); });
}

// UTF-16 without a mark: INI text is mostly ASCII, so in most pairs one byte
// is NUL, and always the same one.  Text in the other encodings has no NULs.
std::optional<TextEncoding> Utf16ByNulPattern(const char *d, qsizetype n)
{
    const qsizetype limit = std::min<qsizetype>(n, 1 << 16) & ~qsizetype(1);
    const qsizetype pairs = limit / 2;
    if (pairs == 0)
        return std::nullopt;
    qsizetype nul[2] = {0, 0};
    for (qsizetype i = 0; i < limit; ++i)
        if (d[i] == 0)
            ++nul[i & 1];
    const qsizetype needed = std::max<qsizetype>(1, pairs / 8);
    if (nul[1] >= needed && nul[0] * 4 <= nul[1])
        return TextEncoding::Utf16Le;
    if (nul[0] >= needed && nul[1] * 4 <= nul[0])
        return TextEncoding::Utf16Be;
    return std::nullopt;
}

// What Japanese text typed in UTF-8 is made of (see ReadsAsJapaneseUtf8).
bool IsJapaneseTextCharacter(char32_t c)
{
    static constexpr std::pair<char32_t, char32_t> kRanges[] = {
        {0x00A0, 0x00FF},   {0x2010, 0x2312},   {0x2460, 0x27BF}, {0x3000, 0x30FF},
        {0x3200, 0x33FF},   {0x4E00, 0x9FFF},   {0xF900, 0xFAFF}, {0xFF01, 0xFFEF},
        {0x1F000, 0x1FAFF},
    };
    return std::any_of(std::begin(kRanges), std::end(kRanges),
                       [c](const auto &r) { return c >= r.first && c <= r.second; });
}

bool IsKanaOrKanji(char32_t c) { return (c >= 0x3041 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF); }

// What a walk through the bytes as UTF-8 finds.
struct Utf8Facts {
    bool valid = true;
    int multiByte = 0;         // characters of more than one byte
    bool allJapanese = true;   // every one of them IsJapaneseTextCharacter
    bool kanaOrKanji = false;  // one of them is
};

Utf8Facts ScanUtf8(const char *data, qsizetype size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    Utf8Facts f;
    for (qsizetype i = 0; i < size;) {
        char32_t cp;
        const int len = Utf8SequenceLength(p + i, size - i, cp);
        if (len == 0) {
            f.valid = false;
            return f;
        }
        i += len;
        if (len == 1)
            continue;
        ++f.multiByte;
        f.allJapanese = f.allJapanese && IsJapaneseTextCharacter(cp);
        f.kanaOrKanji = f.kanaOrKanji || IsKanaOrKanji(cp);
    }
    return f;
}

// Text typed in UTF-8 on Linux whose bytes happen to be valid code page 932
// as well.  One character of three bytes is, as code page 932, a level-2
// kanji and a half-width katakana ("發ｱ" is e1 a2 b1), one of two bytes is
// two half-width katakana: both are what the Windows program writes, so one
// character is never enough.  Two or more that are all what Japanese text is
// made of (kana and kanji, Japanese and full-width punctuation, common
// symbols, Latin letters, emoji), one of them kana or kanji, are; as code
// page 932 the same bytes are level-2 kanji each followed by a stray
// half-width katakana, which nobody writes.  Greek and Cyrillic, which
// half-width katakana pairs turn into, do not count.
bool ReadsAsJapaneseUtf8(const Utf8Facts &f) { return f.multiByte >= 2 && f.allJapanese && f.kanaOrKanji; }

} // namespace

QString DecodeUtf16Le(const char *data, qsizetype size) { return DecodeUtf16(data, size, false); }
QString DecodeUtf16Be(const char *data, qsizetype size) { return DecodeUtf16(data, size, true); }

namespace {
// The encoding of bytes without a mark, with the code page 932 decoding when
// that was needed to decide (so it is not done twice).
TextEncoding DetectWithoutMark(const char *d, qsizetype n, QString *cp932)
{
    if (AllAscii(d, n))
        return TextEncoding::Cp932;
    if (const auto utf16 = Utf16ByNulPattern(d, n))
        return *utf16;
    const Utf8Facts facts = ScanUtf8(d, n);
    if (!facts.valid || facts.multiByte == 0)
        return TextEncoding::Cp932;
    QString text = DecodeCp932(d, n);
    const bool utf8 = HasEscapes(text) || ReadsAsJapaneseUtf8(facts);
    if (cp932 && !utf8)
        *cp932 = std::move(text);
    return utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::optional<TextEncoding> EncodingByMark(const char *d, qsizetype n)
{
    if (n >= 2 && uchar(d[0]) == 0xFF && uchar(d[1]) == 0xFE)
        return TextEncoding::Utf16LeBom;
    if (n >= 2 && uchar(d[0]) == 0xFE && uchar(d[1]) == 0xFF)
        return TextEncoding::Utf16BeBom;
    if (n >= 3 && uchar(d[0]) == 0xEF && uchar(d[1]) == 0xBB && uchar(d[2]) == 0xBF)
        return TextEncoding::Utf8Bom;
    return std::nullopt;
}
} // namespace

TextEncoding DetectTextEncoding(const QByteArray &bytes)
{
    if (const auto marked = EncodingByMark(bytes.constData(), bytes.size()))
        return *marked;
    return DetectWithoutMark(bytes.constData(), bytes.size(), nullptr);
}

DecodedText DecodeText(const QByteArray &bytes)
{
    const char *d = bytes.constData();
    const qsizetype n = bytes.size();
    QString cp932;
    const auto marked = EncodingByMark(d, n);
    const TextEncoding e = marked ? *marked : DetectWithoutMark(d, n, &cp932);
    switch (e) {
    case TextEncoding::Utf16LeBom:
        return {DecodeUtf16Le(d + 2, n - 2), e};
    case TextEncoding::Utf16BeBom:
        return {DecodeUtf16Be(d + 2, n - 2), e};
    case TextEncoding::Utf16Le:
        return {DecodeUtf16Le(d, n), e};
    case TextEncoding::Utf16Be:
        return {DecodeUtf16Be(d, n), e};
    case TextEncoding::Utf8Bom:
        return {DecodeUtf8(d + 3, n - 3), e};
    case TextEncoding::Utf8:
        return {DecodeUtf8(d, n), e};
    case TextEncoding::Cp932:
        break;
    }
    if (cp932.isNull())
        cp932 = DecodeCp932(d, n);
    return {std::move(cp932), TextEncoding::Cp932};
}

std::optional<QByteArray> EncodeCp932(QStringView text)
{
    const qsizetype n = text.size();
    bool ascii = true;
    for (qsizetype i = 0; i < n && ascii; ++i)
        ascii = text[i].unicode() < 0x80;
    if (ascii) {
        QByteArray out(n, Qt::Uninitialized);
        for (qsizetype i = 0; i < n; ++i)
            out[i] = char(text[i].unicode());
        return out;
    }
    Converter &conv = Utf16ToCp932();
    if (!conv.ok())
        return std::nullopt;
    iconv_t cd = conv.get();
    QByteArray out(n * 2 + 16, Qt::Uninitialized); // at most two bytes per unit
    char *dst = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    char *in = reinterpret_cast<char *>(const_cast<QChar *>(text.data()));
    size_t inLeft = static_cast<size_t>(n) * 2;
    bool escaped = false;
    while (inLeft > 0) {
        const size_t r = iconv(cd, &in, &inLeft, &dst, &outLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG || inLeft < 2)
            return std::nullopt;
        char16_t c;
        std::memcpy(&c, in, 2);
        if (!IsEscape(c))
            return std::nullopt;
        *dst++ = char(c - kEscapeBase);
        escaped = true;
        --outLeft;
        in += 2;
        inLeft -= 2;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(dst - out.data());
    // A stray byte put back beside a character whose code changed (code page
    // 932 has duplicate codes) could pair up with it and read differently.
    if (escaped && DecodeCp932(out) != text)
        return std::nullopt;
    return out;
}

std::optional<QByteArray> EncodeUtf8(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() * 3);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1].unicode() - 0xDC00);
            ++i;
        } else if (IsEscape(char16_t(c))) {
            out.append(char(c - kEscapeBase));
            continue;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return std::nullopt;
        }
        if (c < 0x80) {
            out.append(char(c));
        } else if (c < 0x800) {
            out.append(char(0xC0 | (c >> 6)));
            out.append(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.append(char(0xE0 | (c >> 12)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
            out.append(char(0x80 | (c & 0x3F)));
        } else {
            out.append(char(0xF0 | (c >> 18)));
            out.append(char(0x80 | ((c >> 12) & 0x3F)));
            out.append(char(0x80 | ((c >> 6) & 0x3F)));
            out.append(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

namespace {
QByteArray EncodeUtf16(QStringView text, bool bigEndian)
{
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    const int hi = bigEndian ? 0 : 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        out[2 * i + 1 - hi] = char(c & 0xFF);
        out[2 * i + hi] = char(c >> 8);
    }
    return out;
}
} // namespace

QByteArray EncodeUtf16Le(QStringView text) { return EncodeUtf16(text, false); }
QByteArray EncodeUtf16Be(QStringView text) { return EncodeUtf16(text, true); }

std::optional<QByteArray> EncodeText(QStringView text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Cp932:
        return EncodeCp932(text);
    case TextEncoding::Utf8:
        return EncodeUtf8(text);
    case TextEncoding::Utf8Bom: {
        auto body = EncodeUtf8(text);
        if (!body)
            return std::nullopt;
        return QByteArray("\xEF\xBB\xBF", 3) + *body;
    }
    case TextEncoding::Utf16LeBom:
        return QByteArray("\xFF\xFE", 2) + EncodeUtf16Le(text);
    case TextEncoding::Utf16BeBom:
        return QByteArray("\xFE\xFF", 2) + EncodeUtf16Be(text);
    case TextEncoding::Utf16Le:
        return EncodeUtf16Le(text);
    case TextEncoding::Utf16Be:
        return EncodeUtf16Be(text);
    }
    return std::nullopt;
}

QByteArray EncodeTextReadingBack(const QString &text, TextEncoding wanted, TextEncoding *used)
{
    if (auto bytes = EncodeText(text, wanted); bytes && DecodeText(*bytes).text == text) {
        if (used)
            *used = wanted;
        return *bytes;
    }
    // With a mark every sequence of UTF-16 units reads back as it was.
    const TextEncoding fallback = wanted == TextEncoding::Utf16Be || wanted == TextEncoding::Utf16BeBom
                                      ? TextEncoding::Utf16BeBom
                                      : TextEncoding::Utf16LeBom;
    if (used)
        *used = fallback;
    return *EncodeText(text, fallback);
}

} // namespace tamarie
