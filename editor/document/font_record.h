#pragma once
// The companion font files of a work-state file: each holds one 116-byte
// record, little-endian, laid out as the Windows program writes it, with the
// face name in code page 932.  Plain functions, no widgets.
#include <QByteArray>
#include <QFont>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

#include "values.h"

namespace tamarie {

constexpr int kFontRecordSize = 116;
constexpr int kFontRecordNameBytes = 100;
// Windows character sets: DEFAULT_CHARSET and SHIFTJIS_CHARSET.
constexpr int kDefaultCharset = 1;
constexpr int kShiftJisCharset = 128;

// Style bits of the record.
enum : std::uint8_t {
    kFontStyleBold = 1,
    kFontStyleItalic = 2,
    kFontStyleUnderline = 4,
    kFontStyleStrikeOut = 8,
};

struct TCalendarFontRecord {
    QString Name;
    int Charset = kDefaultCharset;  // 0..255
    std::int32_t Size = 0;          // points
    std::uint8_t Style = 0;
    TColorValue Color = 0;
    bool operator==(const TCalendarFontRecord &) const = default;
};

// The record's bytes.  Characters code page 932 cannot hold become '?', as
// the Windows conversion does; a name over 100 bytes is cut at the last whole
// character that fits.  Name tail and gaps are zero.
QByteArray EncodeFontRecord(const TCalendarFontRecord &record);

enum class FontRecordStatus {
    Ok,
    Missing,      // no such file
    Unreadable,   // exists but cannot be opened or read
    TooShort,     // fewer bytes than one record
    BadName,      // the name bytes are not code page 932: ignore the record
};

struct FontRecordResult {
    FontRecordStatus Status = FontRecordStatus::Missing;
    TCalendarFontRecord Record;
};

// Decodes the first record of bytes (TooShort or BadName on bad input).
FontRecordResult DecodeFontRecord(const QByteArray &bytes);
// Only a regular file is read: anything else is Unreadable, never waited on.
FontRecordResult ReadFontRecordFile(const QString &path);
// Creates or replaces path with exactly one record, atomically (temporary
// file beside it, flushed to disk, renamed over).  False on any failure; an
// existing file is then left as it was, and *error holds the path and the
// system's reason.
bool WriteFontRecordFile(const QString &path, const TCalendarFontRecord &record, QString *error = nullptr);
// The same for several files at once.  Nothing is replaced unless every
// temporary file was written and flushed; returns how many files were
// replaced (all of them on success).
int WriteFontRecordFiles(const std::vector<std::pair<QString, TCalendarFontRecord>> &files,
                         QString *error = nullptr);

// The message shown for a companion file that exists but cannot be read.
QString FontRecordErrorMessage(const QString &path, FontRecordStatus status);

// Companion file names: P is the work-state path with its extension
// replaced by ".dat" (appended when there is none); calendar n's file is P
// without its last four characters + "_" + n + ".dat".
QString CommonFontFilePath(const QString &iniPath);
QString CalendarFontFilePath(const QString &iniPath, int n);

// Style bits to and from a font (bold is weight 700 and above, as Windows counts).
std::uint8_t FontStyleBits(const QFont &font);
void ApplyFontStyleBits(QFont &font, std::uint8_t style);
// Point sizes the editor accepts from a record: 1..999.
int SaneFontPointSize(std::int32_t size);

// The character set of a font read from a record, kept together with the
// face it came with: the toolkit's fonts carry none, so a face other than the
// noted one is written with the default character set.
struct TFontCharsetNote {
    QString Face;
    int Charset = kDefaultCharset;
    int CharsetFor(const QString &face) const { return face == Face ? Charset : kDefaultCharset; }
    bool operator==(const TFontCharsetNote &) const = default;
};

// True when a face of that exact name (case counts) is installed, or the
// editor maps that Windows face to an installed one.
bool FontFaceInstalled(const QString &face);

} // namespace tamarie
