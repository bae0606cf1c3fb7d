#pragma once
// INI files with the semantics of the Windows private-profile functions:
// section and key names match without regard to case, a written key replaces
// its value in place or is appended to its section, a new section goes at the
// end, a read returns at most 2047 characters.  Files are read as code page
// 932, UTF-8 or UTF-16 (see DecodeText) with CRLF or LF line ends, and written
// back whole in the encoding they were read in; a new file is written in code
// page 932 with CRLF.  When the file's encoding cannot give back exactly what
// is written, the whole file becomes UTF-16 with a mark (see
// EncodeTextReadingBack), which the Windows functions read too.  Saving
// replaces the file atomically.
//
// IniFile holds the parsed file, so reading N keys costs O(N).  Writes change
// the held copy; Save() commits it, or every write commits at once when
// write-through is on (the Windows behaviour).
#include "regular_file.h"
#include "text_codec.h"
#include "values.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tamarie {

// Longest value a read gives back (the Windows buffer holds 2048 with the NUL).
constexpr qsizetype kIniMaxValueLength = 2047;

// Larger files are not INI files this program wrote; they are not loaded,
// so a damaged one cannot make it allocate without bound.
constexpr qint64 kIniMaxFileSize = 64 * 1024 * 1024;

// Value encodings shared by every INI file of the program.
// Integers: optional sign, then decimal digits or "0x" and up to eight hex
// digits, surrounded by nothing but blanks; out of the 32-bit range is
// unparsable.
std::optional<std::int32_t> ParseIniInteger(QStringView text);
// Dates: yyyy/M/d with a year of 1 to 9999 (yyyy/MM/dd is what is written).
std::optional<TDateValue> ParseIniDate(QStringView text);
QString FormatIniDate(TDateValue date); // empty for a value that is no date
inline QString FormatIniBool(bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); }

class IniFile {
public:
    IniFile() = default;
    // Loads the file when it exists; a missing file gives an empty one.
    explicit IniFile(const QString &path);

    // False only when the file exists but cannot be read, is no regular file
    // (a FIFO is never waited on) or is larger than kIniMaxFileSize (the
    // content is then empty).  A missing file is empty.
    bool Load(const QString &path);
    // Replaces the content with the given file bytes (path unchanged).
    void Parse(const QByteArray &bytes);
    // The bytes Save() would write; may switch the encoding to UTF-16LE.
    QByteArray Serialize();

    // Writes the whole file atomically (a temporary file of its own beside
    // it, flushed, renamed over).  False when the folder or the file cannot
    // be written.
    bool Save();
    // The file on disk as the last Load read it or the last Save left it.
    const FileStamp &Stamp() const { return stamp_; }
    // The system's reason for the last failed Load or Save ("アクセスが拒否されました", ...).
    const QString &ErrorString() const { return error_; }
    const QString &Path() const { return path_; }
    void SetPath(const QString &path) { path_ = path; }
    TextEncoding Encoding() const { return encoding_; }
    bool Modified() const { return modified_; }

    // When on, every write and erase saves at once and returns the result.
    void SetWriteThrough(bool on) { writeThrough_ = on; }

    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList Sections() const;                      // in file order, duplicates once
    QStringList Keys(const QString &section) const;    // in file order

    QString ReadString(const QString &section, const QString &key, const QString &def = QString()) const;
    std::int32_t ReadInteger(const QString &section, const QString &key, std::int32_t def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    TColorValue ReadColor(const QString &section, const QString &key, TColorValue def) const;
    TDateValue ReadDate(const QString &section, const QString &key, TDateValue def) const;

    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, std::int32_t value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    bool WriteColor(const QString &section, const QString &key, TColorValue value);
    bool WriteDate(const QString &section, const QString &key, TDateValue value);
    bool EraseKey(const QString &section, const QString &key);
    bool EraseSection(const QString &section);

private:
    struct Entry {
        QString raw;     // the line as it stands (without its end)
        QString key;     // empty unless isKey
        QString value;   // unquoted, untrimmed of nothing further
        bool isKey = false;
    };
    struct Section {
        QString name;
        QString header;  // raw header line; empty for the lines before the first section
        bool hasHeader = false;
        std::vector<Entry> entries;
        QHash<QString, int> keyIndex; // folded key -> first entry
    };

    const Entry *Find(const QString &section, const QString &key) const;
    void RebuildSectionIndex();
    static void IndexKeys(Section &s);
    bool Changed();

    QString path_;
    QString error_;
    FileStamp stamp_;
    TextEncoding encoding_ = TextEncoding::Cp932;
    bool crlf_ = true;
    bool modified_ = false;
    bool writeThrough_ = false;
    std::vector<Section> sections_;                 // [0]: lines before the first header
    QHash<QString, std::vector<int>> sectionIndex_; // folded name -> sections in order
};

// The Windows-style calls: one key per call on a file named by path.  Reads
// use a parsed copy kept while the file on disk stays the same (same inode,
// size and modification time), so reading many keys stays linear; each write
// changes the file as it stands, under its lock (see IniFileUpdate), and
// commits it at once.  An erase that finds nothing writes nothing.
namespace profile {
QString ReadString(const QString &path, const QString &section, const QString &key, const QString &def = QString());
std::int32_t ReadInteger(const QString &path, const QString &section, const QString &key, std::int32_t def);
bool WriteString(const QString &path, const QString &section, const QString &key, const QString &value);
bool EraseKey(const QString &path, const QString &section, const QString &key);
bool EraseSection(const QString &path, const QString &section);
void ForgetCachedFiles();
} // namespace profile

} // namespace tamarie
