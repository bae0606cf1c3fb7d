#pragma once
// Text encodings of INI files: code page 932 (Shift-JIS, what the Windows
// program writes), UTF-8 and UTF-16LE.  Bytes that do not decode are kept as
// the lone surrogates U+DC80..U+DCFF ("escapes") and turn back into the same
// bytes when encoded again, so an untouched damaged line survives a rewrite.
#include <QByteArray>
#include <QString>

#include <optional>

namespace tamarie {

enum class TextEncoding {
    Cp932,       // no byte-order mark
    Utf8,        // no byte-order mark, detected from valid multi-byte sequences
    Utf8Bom,     // EF BB BF
    Utf16LeBom,  // FF FE
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Cp932;
};

// Chooses the encoding from the byte-order mark; without one, text that is
// valid UTF-8 and contains multi-byte sequences is UTF-8, anything else is
// code page 932.
DecodedText DecodeText(const QByteArray &bytes);

QString DecodeCp932(const char *data, qsizetype size);
inline QString DecodeCp932(const QByteArray &bytes) { return DecodeCp932(bytes.constData(), bytes.size()); }
QString DecodeUtf8(const char *data, qsizetype size);
QString DecodeUtf16Le(const char *data, qsizetype size);

// Nothing when a character cannot be held by code page 932.
std::optional<QByteArray> EncodeCp932(QStringView text);
// Nothing only for lone surrogates that are not escapes.
std::optional<QByteArray> EncodeUtf8(QStringView text);
QByteArray EncodeUtf16Le(QStringView text);

// Whole file contents including the byte-order mark; nothing when the
// encoding cannot hold the text.
std::optional<QByteArray> EncodeText(QStringView text, TextEncoding encoding);

} // namespace tamarie
