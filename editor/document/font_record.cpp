#include "font_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "fonts.h"
#include "regular_file.h"
#include "replacing_file.h"
#include "text_codec.h"

namespace tamarie {

namespace {

constexpr int kNameOffset = 1;
constexpr int kCharsetOffset = 101;
constexpr int kSizeOffset = 104;
constexpr int kStyleOffset = 108;
constexpr int kColorOffset = 112;

void PutLe32(QByteArray &bytes, int offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLe32(const QByteArray &bytes, int offset)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(uchar(bytes[offset + i])) << (8 * i);
    return v;
}

// Code page 932 bytes of name, one character at a time so that what cannot
// be held becomes '?' and the cut falls between characters.
QByteArray NameBytes(const QString &name)
{
    QByteArray out;
    for (qsizetype i = 0; i < name.size();) {
        qsizetype len = 1;
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            len = 2;
        QByteArray piece = EncodeCp932(QStringView(name).mid(i, len)).value_or(QByteArray("?"));
        if (out.size() + piece.size() > kFontRecordNameBytes)
            break;
        out += piece;
        i += len;
    }
    return out;
}

bool HasEscapes(const QString &text)
{
    // Undecodable bytes come back as lone surrogates U+DC80..U+DCFF.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && text[i - 1].isHighSurrogate()))
            return true;
    }
    return false;
}

} // namespace

QByteArray EncodeFontRecord(const TCalendarFontRecord &record)
{
    QByteArray bytes(kFontRecordSize, '\0');
    const QByteArray name = NameBytes(record.Name);
    bytes[0] = char(name.size());
    std::copy(name.begin(), name.end(), bytes.begin() + kNameOffset);
    bytes[kCharsetOffset] = char(record.Charset & 0xFF);
    PutLe32(bytes, kSizeOffset, std::uint32_t(record.Size));
    bytes[kStyleOffset] = char(record.Style);
    PutLe32(bytes, kColorOffset, std::uint32_t(record.Color));
    return bytes;
}

FontRecordResult DecodeFontRecord(const QByteArray &bytes)
{
    FontRecordResult r;
    if (bytes.size() < kFontRecordSize) {
        r.Status = FontRecordStatus::TooShort;
        return r;
    }
    const int length = std::min<int>(uchar(bytes[0]), kFontRecordNameBytes);
    QByteArray name = bytes.mid(kNameOffset, length);
    // Windows takes a face name up to its first NUL.
    if (const qsizetype nul = name.indexOf('\0'); nul >= 0)
        name.truncate(nul);
    r.Record.Name = DecodeCp932(name);
    if (HasEscapes(r.Record.Name)) {
        r.Status = FontRecordStatus::BadName;
        return r;
    }
    r.Record.Charset = uchar(bytes[kCharsetOffset]);
    r.Record.Size = std::int32_t(GetLe32(bytes, kSizeOffset));
    r.Record.Style = std::uint8_t(bytes[kStyleOffset]);
    r.Record.Color = TColorValue(GetLe32(bytes, kColorOffset));
    r.Status = FontRecordStatus::Ok;
    return r;
}

FontRecordResult ReadFontRecordFile(const QString &path)
{
    FontRecordResult r;
    QFile f;
    const RegularFileResult opened = OpenRegularFile(path, f);
    if (opened.status == RegularFileStatus::Missing) {
        r.Status = FontRecordStatus::Missing;
        return r;
    }
    if (opened.status != RegularFileStatus::Ok) {
        r.Status = FontRecordStatus::Unreadable;
        return r;
    }
    const QByteArray bytes = f.read(kFontRecordSize);
    if (f.error() != QFileDevice::NoError) {
        r.Status = FontRecordStatus::Unreadable;
        return r;
    }
    return DecodeFontRecord(bytes);
}

bool WriteFontRecordFile(const QString &path, const TCalendarFontRecord &record, QString *error)
{
    return WriteFontRecordFiles({{path, record}}, error) == 1;
}

int WriteFontRecordFiles(const std::vector<std::pair<QString, TCalendarFontRecord>> &files, QString *error)
{
    auto failed = [error](const ReplacingFile &f) {
        if (error)
            *error = QDir::toNativeSeparators(f.Target()) + QStringLiteral(": ") + f.ErrorString();
    };
    // All temporary files are written before the first is flushed to disk,
    // so the flushes share the file system's journal commits.
    std::vector<std::unique_ptr<ReplacingFile>> pending;
    pending.reserve(files.size());
    for (const auto &[path, record] : files) {
        auto f = std::make_unique<ReplacingFile>(path);
        if (!f->Open() || !f->Write(EncodeFontRecord(record))) {
            failed(*f);
            return 0;
        }
        pending.push_back(std::move(f));
    }
    for (auto &f : pending)
        if (!f->Sync()) {
            failed(*f);
            return 0;
        }
    // Each rename replaces one file whole; a failure stops the rest.
    int committed = 0;
    for (auto &f : pending) {
        if (!f->Commit()) {
            failed(*f);
            return committed;
        }
        ++committed;
    }
    return committed;
}

QString FontRecordErrorMessage(const QString &path, FontRecordStatus status)
{
    const QString name = QFileInfo(path).fileName();
    if (status == FontRecordStatus::TooShort)
        return QStringLiteral("入出力エラー: フォントファイル\"%1\"が途中で終わっています。").arg(name);
    return QStringLiteral("入出力エラー: フォントファイル\"%1\"を読み込めません。").arg(name);
}

QString CommonFontFilePath(const QString &iniPath)
{
    // The extension starts at the last dot after the last folder separator.
    const qsizetype sep = std::max(iniPath.lastIndexOf(u'/'), iniPath.lastIndexOf(u'\\'));
    const qsizetype dot = iniPath.lastIndexOf(u'.');
    if (dot > sep)
        return iniPath.left(dot) + QStringLiteral(".dat");
    return iniPath + QStringLiteral(".dat");
}

QString CalendarFontFilePath(const QString &iniPath, int n)
{
    const QString p = CommonFontFilePath(iniPath);
    return p.left(p.size() - 4) + u'_' + QString::number(n) + QStringLiteral(".dat");
}

std::uint8_t FontStyleBits(const QFont &font)
{
    std::uint8_t style = 0;
    if (font.weight() >= QFont::Bold)
        style |= kFontStyleBold;
    if (font.italic())
        style |= kFontStyleItalic;
    if (font.underline())
        style |= kFontStyleUnderline;
    if (font.strikeOut())
        style |= kFontStyleStrikeOut;
    return style;
}

void ApplyFontStyleBits(QFont &font, std::uint8_t style)
{
    font.setWeight((style & kFontStyleBold) ? QFont::Bold : QFont::Normal);
    font.setItalic(style & kFontStyleItalic);
    font.setUnderline(style & kFontStyleUnderline);
    font.setStrikeOut(style & kFontStyleStrikeOut);
}

int SaneFontPointSize(std::int32_t size) { return std::clamp<std::int32_t>(size, 1, 999); }

bool FontFaceInstalled(const QString &face) { return fonts::IsKnownFace(face); }

} // namespace tamarie
