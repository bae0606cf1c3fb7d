#pragma once
// Changing an INI file that several programs change at once, as two editors
// with one home share Config.ini.  Like the Windows profile functions, which
// work key by key on the file as it stands: under an advisory lock (flock on
// a lock file beside it, ".Config.ini.lock", shared by every program that
// changes the file and never removed) the file is read afresh, the caller
// changes only the keys it stores, and the whole is written back through the
// replacing-file saver.  What others wrote meanwhile stays.
#include "ini_file.h"

#include <QString>

namespace tamarie {

// Off for a program that must only read its settings (tamarie-render): every
// update then reads as usual and commits nothing.
void SetSharedIniWritesAllowed(bool allowed);
bool SharedIniWritesAllowed();

class IniFileUpdate {
public:
    // Takes the lock (waiting up to lockTimeoutMs for another holder) and
    // reads the file; a missing file is empty.
    explicit IniFileUpdate(const QString &path, int lockTimeoutMs = 5000);
    ~IniFileUpdate();
    IniFileUpdate(const IniFileUpdate &) = delete;
    IniFileUpdate &operator=(const IniFileUpdate &) = delete;

    // False when the lock could not be had or the file not read.
    bool Ok() const { return ok_; }
    IniFile &File() { return file_; }
    // Writes the file when a change was made (a file nothing changed is not
    // touched, a missing one not created) and lets the lock go.
    bool Commit();
    // The system's reason for a failure ("アクセスが拒否されました", ...).
    QString ErrorString() const { return error_.isEmpty() ? file_.ErrorString() : error_; }

private:
    void Unlock();

    IniFile file_;
    int lockFd_ = -1;
    bool ok_ = false;
    QString error_;
};

} // namespace tamarie
