#include "recovery_copy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QSet>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "ini_file.h"
#include "regular_file.h"
#include "replacing_file.h"
#include "work_state_format.h"

namespace tamarie {

namespace {

const QString kSection = QStringLiteral("Recovery");
const QString kBelongsTo = QStringLiteral("File");
const QString kGeneration = QStringLiteral("Generation");

// "<id>.lock", "<id>-<slot>.ini", "<id>-<slot>.dat", "<id>-<slot>_<n>.dat",
// and the temporary files of replacing saves of those (".<id>-0.ini….tamarie-tmp").
const QRegularExpression kCopyFile(
    QStringLiteral(R"(^(\.?)([0-9a-f]{16})(?:\.lock|-([01])(_[0-9]+)?\.(ini|dat)(.*))$)"));

struct CopyFile {
    QString id;
    int slot = -1;            // -1: the lock file
    QString suffix;           // what follows "<id>-<slot>": ".ini", ".dat", "_<n>.dat"
    bool leftover = false;    // a temporary file
};

std::optional<CopyFile> ParseCopyFile(const QString &name)
{
    const QRegularExpressionMatch m = kCopyFile.match(name);
    if (!m.hasMatch() || (m.captured(3).isEmpty() && !m.captured(1).isEmpty()))
        return std::nullopt;
    CopyFile f;
    f.id = m.captured(2);
    if (m.captured(3).isEmpty())
        return f;
    f.slot = m.captured(3).toInt();
    f.suffix = m.captured(4) + u'.' + m.captured(5);
    f.leftover = !m.captured(1).isEmpty() || !m.captured(6).isEmpty() || (f.suffix.startsWith(u'_') && f.suffix.endsWith(QLatin1String(".ini")));
    return f;
}

QStringList FolderNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QString NewId()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

// The ids this process holds.
QMutex heldMutex;
QSet<QString> held;

std::unique_ptr<QLockFile> LockOf(const QString &folder, const QString &id)
{
    auto lock = std::make_unique<QLockFile>(folder + u'/' + id + QStringLiteral(".lock"));
    // Only a dead editor's lock is free, however old a living one's is.
    lock->setStaleLockTime(0);
    const QMutexLocker locker(&heldMutex);
    if (held.contains(id))
        return nullptr;
    if (!lock->tryLock(0)) {
        // A lock naming this process that it does not hold was left by an
        // editor that ran under the same process id (a sandbox numbers its
        // processes alike each time).
        qint64 pid = 0;
        QString host, app;
        if (!lock->getLockInfo(&pid, &host, &app) || pid != QCoreApplication::applicationPid() ||
            !lock->removeStaleLockFile() || !lock->tryLock(0))
            return nullptr;
    }
    held.insert(id);
    return lock;
}

// The generation a slot's work-state file records; 0 when it has none.
int GenerationOf(const QString &iniPath)
{
    IniFile ini;
    if (!QFileInfo(iniPath).isFile() || !ini.Load(iniPath))
        return 0;
    return std::max(0, int(ini.ReadInteger(kSection, kGeneration, 0)));
}

bool DamagedFont(const WorkStateFont &font)
{
    return font.status == FontRecordStatus::Unreadable || font.status == FontRecordStatus::TooShort;
}

// Font files of a slot no work-state file names while they are written:
// each rewritten in place, their data written out together.  No flush of
// their own: the flush of the work-state file that then names them commits
// them with it (one journal commit and one flush of the disk's cache, not
// one per file).
bool WriteFontsInPlace(const std::vector<std::pair<QString, TCalendarFontRecord>> &files, QString *error)
{
    std::vector<int> fds;
    auto closeAll = [&fds] {
        for (int fd : fds)
            ::close(fd);
    };
    for (const auto &[path, record] : files) {
        const QByteArray bytes = EncodeFontRecord(record);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 || ::pwrite(fd, bytes.constData(), size_t(bytes.size()), 0) != bytes.size() ||
            ::ftruncate(fd, bytes.size()) != 0) {
            if (error)
                *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + SystemErrorText(errno ? errno : ENOSPC);
            if (fd >= 0)
                ::close(fd);
            closeAll();
            return false;
        }
        fds.push_back(fd);
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    }
    for (int fd : fds)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
    closeAll();
    return true;
}

} // namespace

QString RecoveryFolderIn(const QString &dataFolder) { return dataFolder + QStringLiteral("/Recovery"); }

RecoveryCopy::RecoveryCopy(QString folder, QString id, std::unique_ptr<QLockFile> lock)
    : folder_(std::move(folder)), id_(std::move(id)), lock_(std::move(lock))
{
}

RecoveryCopy::~RecoveryCopy()
{
    lock_.reset();
    const QMutexLocker locker(&heldMutex);
    held.remove(id_);
}

std::unique_ptr<RecoveryCopy> RecoveryCopy::Create(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return nullptr;
    // Ids are random; a clash with a living editor's is only a failed lock.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QString id = NewId();
        if (auto lock = LockOf(folder, id)) {
            std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy(folder, id, std::move(lock)));
            copy->RemoveFiles(false);  // a dead namesake's
            return copy;
        }
    }
    return nullptr;
}

std::unique_ptr<RecoveryCopy> RecoveryCopy::TakeLeft(const QString &folder)
{
    // Newest first, by the time of their work-state files.
    QHash<QString, qint64> written;
    for (const QString &name : FolderNames(folder)) {
        const std::optional<CopyFile> f = ParseCopyFile(name);
        if (!f)
            continue;
        qint64 &t = written[f->id];
        if (!f->leftover && f->suffix == QLatin1String(".ini"))
            t = std::max(t, QFileInfo(folder + u'/' + name).lastModified().toMSecsSinceEpoch());
    }
    QStringList order = written.keys();
    std::sort(order.begin(), order.end(), [&written](const QString &a, const QString &b) {
        return std::pair(written.value(a), a) > std::pair(written.value(b), b);
    });
    for (const QString &id : order) {
        auto lock = LockOf(folder, id);
        if (!lock)
            continue;  // its editor is running
        std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy(folder, id, std::move(lock)));
        copy->RemoveFiles(true);
        // Looked at under the lock, when nothing writes them any more.
        for (int slot : {0, 1}) {
            if (!QFileInfo::exists(copy->SlotIni(slot)))
                continue;
            const int generation = GenerationOf(copy->SlotIni(slot));
            if (copy->slot_ < 0 || generation > copy->generation_) {
                copy->slot_ = slot;
                copy->generation_ = generation;
            }
        }
        if (copy->slot_ >= 0)
            return copy;
        // Nothing whole was written: the lock file goes with the rest.
        copy->RemoveFiles(false);
    }
    return nullptr;
}

QString RecoveryCopy::SlotIni(int slot) const
{
    return folder_ + u'/' + id_ + u'-' + QString::number(slot) + QStringLiteral(".ini");
}

QString RecoveryCopy::IniPath() const { return slot_ >= 0 ? SlotIni(slot_) : QString(); }

void RecoveryCopy::RemoveFiles(bool leftoversOnly) const
{
    QStringList removed;
    for (const QString &name : FolderNames(folder_)) {
        const std::optional<CopyFile> f = ParseCopyFile(name);
        if (f && f->id == id_ && f->slot >= 0 && (f->leftover || !leftoversOnly))
            removed << name;
    }
    // The work-state files first: a slot is never one without its fonts.
    std::stable_partition(removed.begin(), removed.end(), [](const QString &n) { return n.endsWith(u".ini"); });
    for (const QString &name : removed)
        QFile::remove(folder_ + u'/' + name);
}

bool RecoveryCopy::Write(const RecoveryContent &content, QString *error)
{
    const int slot = slot_ < 0 ? 0 : 1 - slot_;
    const QString ini = SlotIni(slot);
    const QString base = ini.left(ini.size() - 4);
    // From here on the slot is no copy until its work-state file is back.
    if (::unlink(QFile::encodeName(ini).constData()) != 0 && errno != ENOENT) {
        if (error)
            *error = QDir::toNativeSeparators(ini) + QStringLiteral(": ") + SystemErrorText(errno);
        return false;
    }

    // The font files that differ from what the slot holds; those of
    // calendars no longer there go.
    QHash<QString, TCalendarFontRecord> &held = slotFonts_[slot];
    QHash<QString, TCalendarFontRecord> fonts;
    std::vector<std::pair<QString, TCalendarFontRecord>> toWrite;
    for (const auto &[path, record] : WorkStateFontFiles(ini, content.state)) {
        const QString suffix = path.mid(base.size());
        fonts.insert(suffix, record);
        const auto was = held.constFind(suffix);
        if (was == held.cend() || *was != record)
            toWrite.emplace_back(path, record);
    }
    for (const QString &name : FolderNames(folder_))
        if (const std::optional<CopyFile> f = ParseCopyFile(name);
            f && f->id == id_ && f->slot == slot && !f->leftover && f->suffix != QLatin1String(".ini") &&
            !fonts.contains(f->suffix))
            QFile::remove(folder_ + u'/' + name);
    held.clear();  // unknown until written
    if (!WriteFontsInPlace(toWrite, error))
        return false;
    held = fonts;

    IniFile file;
    WriteWorkState(file, content.state);
    file.WriteString(kSection, kBelongsTo, content.belongsTo);
    file.WriteInteger(kSection, kGeneration, generation_ + 1);
    if (!ReplaceFileContent(ini, file.Serialize(), error))
        return false;
    ++generation_;
    slot_ = slot;
    return true;
}

std::optional<RecoveryContent> RecoveryCopy::Read() const
{
    const QString path = IniPath();
    IniFile ini;
    if (path.isEmpty() || !QFileInfo(path).isFile() || !ini.Load(path) || !ini.ValueExists(kSection, kBelongsTo))
        return std::nullopt;
    RecoveryContent content;
    const WorkStateBounds bounds{QRect(0, 0, kMaxDesktopExtent, kMaxDesktopExtent)};
    content.state = ReadWorkState(ini, WorkState{}, bounds);
    content.state.commonFont = ReadCommonFontFile(path);
    ReadCalendarFontFiles(path, content.state);
    if (DamagedFont(content.state.commonFont))
        return std::nullopt;
    for (const WorkStateCalendar &c : content.state.calendars)
        if (DamagedFont(c.font))
            return std::nullopt;
    content.belongsTo = ini.ReadString(kSection, kBelongsTo);
    return content;
}

void RecoveryCopy::Remove()
{
    RemoveFiles(false);
    slot_ = -1;
    for (auto &held : slotFonts_)
        held.clear();
}

} // namespace tamarie
