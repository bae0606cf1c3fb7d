#pragma once
// Text encodings of INI files: code page 932 (Shift-JIS, what the Windows
// program writes), UTF-8 and UTF-16 (either byte order, with or without a
// byte-order mark).  Bytes that do not decode are kept as
// the lone surrogates U+DC80..U+DCFF ("escapes") and turn back into the same
// bytes when encoded again, so an untouched damaged line survives a rewrite.
#include <QByteArray>
#include <QString>

#include <optional>

namespace tamarie {

enum class TextEncoding {
    Cp932,       // no byte-order mark
    Utf8,        // no byte-order mark: not code page 932, or the detector is sure
    Utf8Bom,     // EF BB BF
    Utf16LeBom,  // FF FE
    Utf16BeBom,  // FE FF
    Utf16Le,     // no byte-order mark, recognised by its NUL bytes
    Utf16Be,     // the same, big-endian
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Cp932;
};

// Chooses the encoding from the byte-order mark.  Without one: UTF-16 when
// one byte of most pairs is NUL (INI text is mostly ASCII); otherwise code
// page 932, unless the bytes are valid UTF-8 with multi-byte sequences and
// either not valid code page 932 (a file edited on Linux) or, valid both
// ways, at least two characters of Japanese text in UTF-8 (a single one is
// also a level-2 kanji and a half-width katakana in code page 932).
DecodedText DecodeText(const QByteArray &bytes);
TextEncoding DetectTextEncoding(const QByteArray &bytes);

QString DecodeCp932(const char *data, qsizetype size);
inline QString DecodeCp932(const QByteArray &bytes) { return DecodeCp932(bytes.constData(), bytes.size()); }
QString DecodeUtf8(const char *data, qsizetype size);
QString DecodeUtf16Le(const char *data, qsizetype size);
QString DecodeUtf16Be(const char *data, qsizetype size);

// Nothing when a character cannot be held by code page 932.
std::optional<QByteArray> EncodeCp932(QStringView text);
// Nothing only for lone surrogates that are not escapes.
std::optional<QByteArray> EncodeUtf8(QStringView text);
QByteArray EncodeUtf16Le(QStringView text);
QByteArray EncodeUtf16Be(QStringView text);

// Whole file contents including the byte-order mark; nothing when the
// encoding cannot hold the text.
std::optional<QByteArray> EncodeText(QStringView text, TextEncoding encoding);

// The file contents for text in the wanted encoding, or, when those bytes
// would not read back as exactly the same text (a character code page 932
// cannot hold, bytes the detection would take for another encoding, UTF-16
// without mark that no longer shows its NUL pattern), in the nearest encoding
// that does: UTF-16 of the same byte order with a mark, else UTF-16LE with a
// mark, which the Windows profile functions read too.  *used is what was used.
QByteArray EncodeTextReadingBack(const QString &text, TextEncoding wanted, TextEncoding *used);

} // namespace tamarie
