// The recovery copy: what it holds comes back, each editor keeps its own,
// only a copy whose editor is gone is taken, a damaged one is not read, and
// a writer killed at any moment leaves the copy before or after, whole.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <random>

#include "recovery_probe/probe_work.h"
#include "recovery_writer.h"

using namespace tamarie;

namespace {

QStringList Names(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The copy's files by what follows "<id>-<slot>" in their names, with their bytes.
QMap<QString, QByteArray> CopyFiles(const RecoveryCopy &copy)
{
    const QString ini = copy.IniPath();
    const QString base = QFileInfo(ini).completeBaseName();
    QMap<QString, QByteArray> files;
    for (const QString &name : Names(QFileInfo(ini).path())) {
        if (!name.startsWith(base) || name.endsWith(QStringLiteral(".lock")))
            continue;
        QFile f(QFileInfo(ini).path() + u'/' + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        QByteArray bytes = f.readAll();
        // Generations count each copy's own writes.
        if (const qsizetype at = bytes.indexOf("Generation="); at >= 0 && name.endsWith(QStringLiteral(".ini")))
            bytes.remove(at, bytes.indexOf('\n', at) + 1 - at);
        files.insert(name.mid(base.size()), bytes);
    }
    return files;
}

// Only the lock and one whole generation of each copy: nothing a write left behind.
void ExpectOnlyWholeCopies(const QString &folder)
{
    static const QRegularExpression whole(QStringLiteral(R"(^[0-9a-f]{16}(\.lock|-[01](_([1-9]|1[0-2]))?\.(ini|dat))$)"));
    for (const QString &name : Names(folder))
        EXPECT_TRUE(whole.match(name).hasMatch()) << name.toStdString();
}

} // namespace

TEST(RecoveryCopy, HoldsTheWorkAndItsFileWholeAfterEachWrite)
{
    QTemporaryDir dir;
    const QString folder = RecoveryFolderIn(dir.path());
    auto copy = RecoveryCopy::Create(folder);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->Read());

    for (int version : {4, 5, 9}) {  // 4 -> 5 keeps the fonts, 5 -> 9 changes them
        const RecoveryContent work = ProbeWork(version);
        ASSERT_TRUE(copy->Write(work));
        const auto back = copy->Read();
        ASSERT_TRUE(back);
        EXPECT_EQ(back->state, work.state) << version;
        EXPECT_EQ(back->belongsTo, work.belongsTo);
        ExpectOnlyWholeCopies(folder);
    }
    // Linked or written, a generation's files are what writing it afresh gives.
    QTemporaryDir other;
    auto fresh = RecoveryCopy::Create(other.path());
    ASSERT_TRUE(fresh->Write(ProbeWork(9)));
    EXPECT_EQ(CopyFiles(*copy), CopyFiles(*fresh));
    // The lock and two slots of a work-state file, the common font and twelve calendar fonts.
    EXPECT_EQ(Names(folder).size(), 29u);
    // Fewer calendars: the font files of the others go.
    RecoveryContent fewer = ProbeWork(10);
    fewer.state.calendars.resize(2);
    ASSERT_TRUE(copy->Write(fewer));
    ASSERT_TRUE(copy->Write(fewer));
    EXPECT_EQ(copy->Read()->state, fewer.state);
    EXPECT_EQ(Names(folder).size(), 9u);

    copy->Remove();
    EXPECT_FALSE(copy->Read());
    EXPECT_EQ(Names(folder), QStringList{copy->Id() + QStringLiteral(".lock")});
}

TEST(RecoveryCopy, OnlyACopyWhoseEditorIsGoneIsTakenAndDamageIsNotRead)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    auto mine = RecoveryCopy::Create(folder);
    auto other = RecoveryCopy::Create(folder);
    ASSERT_TRUE(mine && other);
    ASSERT_NE(mine->Id(), other->Id());
    ASSERT_TRUE(mine->Write(ProbeWork(1)));
    ASSERT_TRUE(other->Write(ProbeWork(2)));
    // Both editors still run: nothing is left to take.
    EXPECT_FALSE(RecoveryCopy::TakeLeft(folder));

    // Its editor ends without removing it, as a killed one does, and its lock
    // stays, naming a process of this one's id (as a sandbox numbers them).
    const QString otherId = other->Id();
    QFile lockFile(folder + u'/' + otherId + QStringLiteral(".lock"));
    ASSERT_TRUE(lockFile.open(QIODevice::ReadOnly));
    const QByteArray lockBytes = lockFile.readAll();
    lockFile.close();
    other.reset();
    ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
    lockFile.write(lockBytes);
    lockFile.close();
    auto taken = RecoveryCopy::TakeLeft(folder);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Id(), otherId);
    EXPECT_EQ(taken->Read()->state, ProbeWork(2).state);
    // Taken means held: no other editor gets it meanwhile.
    EXPECT_FALSE(RecoveryCopy::TakeLeft(folder));

    // A font file cut short, or a file that is no copy of ours, is damage.
    const QString ini = taken->IniPath();
    QFile::resize(ini.left(ini.size() - 4) + QStringLiteral("_5.dat"), 40);
    EXPECT_FALSE(taken->Read());
    ASSERT_TRUE(taken->Write(ProbeWork(3)));
    ASSERT_TRUE(taken->Read());
    QFile f(taken->IniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[Calendar]\r\nCount=2\r\n");
    f.close();
    EXPECT_FALSE(taken->Read());

    // A lock without any whole generation (an editor killed before its first
    // write) is cleared away, not offered.
    taken->Remove();
    taken.reset();
    EXPECT_FALSE(RecoveryCopy::TakeLeft(folder));
    for (const QString &name : Names(folder))
        EXPECT_TRUE(name.startsWith(mine->Id())) << name.toStdString();
    EXPECT_EQ(mine->Read()->state, ProbeWork(1).state);
}

TEST(RecoveryWriter, WritesTheNewestWorkSoonAfterAChangeAndGoesWhenSaved)
{
    QTemporaryDir dir;
    int version = 1;
    int captures = 0;
    std::function<void()> whileCapturing;
    RecoveryWriter writer(RecoveryCopy::Create(dir.path()), [&] {
        ++captures;
        const RecoveryContent work = ProbeWork(version);
        if (whileCapturing)
            std::exchange(whileCapturing, nullptr)();
        return work;
    });
    QList<bool> written;
    QObject::connect(&writer, &RecoveryWriter::Written, [&written](bool ok) { written << ok; });
    // Events run until the writer has ended that many writes.
    auto waitForWrites = [&written](qsizetype count) {
        QElapsedTimer t;
        t.start();
        while (written.size() < count && t.elapsed() < 3 * RecoveryWriter::kDelayMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return written.size() == count;
    };

    // A burst of changes is one write, of the work as it is when written.
    for (; version <= 5; ++version)
        writer.WorkChanged(true);
    version = 5;
    ASSERT_TRUE(waitForWrites(1));
    EXPECT_TRUE(written[0]);
    EXPECT_EQ(captures, 1);
    EXPECT_EQ(writer.Copy()->Read()->state.paperColor, 5u);

    // A change while a write runs is written after it.
    version = 6;
    whileCapturing = [&] {
        version = 7;
        writer.WorkChanged(true);
    };
    writer.WorkChanged(true);
    ASSERT_TRUE(waitForWrites(3));
    EXPECT_EQ(captures, 3);
    EXPECT_EQ(writer.Copy()->Read()->state.paperColor, 7u);

    // Saved (or back where it was saved): no copy.
    writer.WorkChanged(false);
    EXPECT_EQ(Names(dir.path()).size(), 1u);
    EXPECT_FALSE(RecoveryCopy::TakeLeft(dir.path()));
}

#ifdef TAMARIE_RECOVERY_PROBE_PATH
TEST(RecoveryCopy, AWriterKilledAtAnyMomentLeavesTheCopyBeforeOrAfterWhole)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    std::mt19937 random(20261211);
    // A write takes some tens of milliseconds: kills land before, in and after writes.
    std::uniform_int_distribution<int> wait(0, 100000);
    int lastWritten = 0;
    for (int round = 0; round < 40; ++round) {
        QProcess probe;
        probe.start(QStringLiteral(TAMARIE_RECOVERY_PROBE_PATH), {folder});
        ASSERT_TRUE(probe.waitForReadyRead(20000)) << round;
        QThread::usleep(wait(random));
        probe.kill();
        probe.waitForFinished(20000);
        for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
            if (line.startsWith("start "))
                EXPECT_EQ(line.mid(6).toInt(), lastWritten) << "the next start took the copy as it was";
            else if (!line.isEmpty())
                lastWritten = line.toInt();
        }
        // The next start: the copy is the version last written or the one
        // being written, byte for byte, and nothing else is left.
        auto copy = RecoveryCopy::TakeLeft(folder);
        if (!copy) {
            EXPECT_EQ(lastWritten, 0) << round;
            continue;
        }
        ExpectOnlyWholeCopies(folder);
        const auto content = copy->Read();
        ASSERT_TRUE(content) << round;
        const int version = int(content->state.paperColor);
        EXPECT_TRUE(version == lastWritten || version == lastWritten + 1) << version << " after " << lastWritten;
        EXPECT_EQ(content->state, ProbeWork(version).state);
        QTemporaryDir reference;
        auto fresh = RecoveryCopy::Create(reference.path());
        ASSERT_TRUE(fresh->Write(ProbeWork(version)));
        EXPECT_EQ(CopyFiles(*copy), CopyFiles(*fresh)) << round;
        lastWritten = version;
    }
    EXPECT_GT(lastWritten, 0);
}
#endif
