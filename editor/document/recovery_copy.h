#pragma once
// The recovery copy of unsaved work: a work-state file with its font files
// in the data folder's "Recovery" folder, one copy per running editor.
//
// Each copy has an id; its lock file "<id>.lock" holds the editor's process
// id, so a copy whose editor is gone (its lock is free) can be told from one
// still being written.  The copy has two slots, "<id>-0.ini" and "<id>-1.ini",
// each with its font files ("<id>-0.dat", "<id>-0_<n>.dat", ...); the
// work-state file records its generation.  A write goes to the slot not
// holding the newest generation: its work-state file is removed first, its
// font files are written (only those that differ), then its work-state file
// through a replacing save makes it whole.  Killed at any moment, the copy is
// the generation before or the one after; a slot whose work-state file is
// missing, or older, is not the copy.  Font files are rewritten in place, so
// steady writing creates and frees no files.
//
// Photos are not copied: the copy names them where they are.
#include <QHash>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "font_record.h"
#include "work_state.h"

class QLockFile;

namespace tamarie {

// dataFolder + "/Recovery".
QString RecoveryFolderIn(const QString &dataFolder);

// What a copy holds: the work and the file it belongs to (empty: untitled).
struct RecoveryContent {
    WorkState state;
    QString belongsTo;
};

class RecoveryCopy {
public:
    // A new, empty copy for this editor in folder (made when missing); null
    // when the folder cannot be made or locked.
    static std::unique_ptr<RecoveryCopy> Create(const QString &folder);
    // The newest copy left by an editor that is no longer running, taken
    // over by this one: its lock is this editor's until released, and what
    // unfinished writes left is gone.  It may be damaged (Read tells).  Null
    // when there is none.
    static std::unique_ptr<RecoveryCopy> TakeLeft(const QString &folder);

    // Releases the lock; the files stay, as a crash would leave them.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    const QString &Id() const { return id_; }
    // The copy's work-state file; empty while there is none.
    QString IniPath() const;

    // Writes content as the copy's next generation.  One write at a time;
    // it may run on any thread.  False with the system's reason in *error.
    bool Write(const RecoveryContent &content, QString *error = nullptr);
    // What the copy holds; nothing when there is none or it is damaged
    // (the file unreadable, not a copy of ours, a font file cut short).
    std::optional<RecoveryContent> Read() const;
    // Removes every file of the copy; it stays this editor's (a later Write
    // makes it again).
    void Remove();

private:
    RecoveryCopy(QString folder, QString id, std::unique_ptr<QLockFile> lock);
    QString SlotIni(int slot) const;
    // Removes the copy's files but its lock: all of them, or only what
    // unfinished saves left.
    void RemoveFiles(bool leftoversOnly) const;

    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    int generation_ = 0;  // the newest whole generation
    int slot_ = -1;       // the slot holding it; -1: none
    // The records each slot's font files hold, by what follows "<id>-<slot>"
    // in their names, as far as this copy wrote them.
    std::array<QHash<QString, TCalendarFontRecord>, 2> slotFonts_;
};

} // namespace tamarie
