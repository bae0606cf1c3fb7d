// Saves killed at random moments: every target is always the old or the new
// file, whole, at most one temporary file per target is left, and the next
// save takes it away.
#ifdef TAMARIE_SAVE_PROBE_PATH
#include "replacing_file.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace tamarie;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QMap<QString, QByteArray> FilesOf(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        files.insert(name, ReadAll(dir + "/" + name));
    return files;
}

// Starts the probe; with kill_after, waits for its "ready", lets it save for
// that long and kills it.  The exit status, or -1 when killed.
int RunProbe(const char *kind, const QString &dir, int version, std::chrono::microseconds *kill_after)
{
    int out[2];
    if (::pipe(out) != 0)
        return -2;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray path = TAMARIE_SAVE_PROBE_PATH, where = QFile::encodeName(dir),
                     v = QByteArray::number(version);
    char *argv[] = {const_cast<char *>(path.constData()), const_cast<char *>(kind),
                    const_cast<char *>(where.constData()), const_cast<char *>(v.constData()),
                    const_cast<char *>(kill_after ? "loop" : "once"), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return -2;
    }
    if (kill_after) {
        pollfd p{out[0], POLLIN, 0};
        char buf[16];
        if (::poll(&p, 1, 20000) == 1 && ::read(out[0], buf, sizeof buf) > 0)
            std::this_thread::sleep_for(*kill_after);
        ::kill(pid, SIGKILL);
    } else {
        char buf[256];
        while (::read(out[0], buf, sizeof buf) > 0) {
        }
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

// Under the sanitizers each start of the probe costs several times as much;
// that run looks for memory faults, so a quarter of the kills do.
#ifdef __SANITIZE_ADDRESS__
constexpr int kKillDivisor = 4;
#else
constexpr int kKillDivisor = 1;
#endif

struct KillLoop {
    const char *kind;
    int kills;
};

} // namespace

TEST(InterruptedSaves, KilledSavesLeaveAWholeFileAndAtMostOneTemporaryFile)
{
    std::mt19937 rng(9);
    int killedWithTemporary = 0, killedTotal = 0;
    for (const KillLoop loop : {KillLoop{"config", 120}, KillLoop{"workstate", 120}, KillLoop{"png", 50},
                                KillLoop{"bmp", 50}, KillLoop{"jpg", 40}}) {
        SCOPED_TRACE(loop.kind);
        QTemporaryDir refs[2], dir;
        // Both versions as they are written over the first: a file keeps the
        // encoding it was given (UTF-16 once code page 932 could not hold it).
        for (int v = 0; v < 2; ++v) {
            ASSERT_EQ(RunProbe(loop.kind, refs[v].path(), 0, nullptr), 0);
            ASSERT_EQ(RunProbe(loop.kind, refs[v].path(), v, nullptr), 0);
        }
        const QMap<QString, QByteArray> versions[2] = {FilesOf(refs[0].path()), FilesOf(refs[1].path())};
        ASSERT_EQ(versions[0].keys(), versions[1].keys());
        ASSERT_EQ(RunProbe(loop.kind, dir.path(), 0, nullptr), 0);

        std::uniform_int_distribution<int> delay(0, 25000), version(0, 1);
        for (int k = 0; k < loop.kills / kKillDivisor; ++k) {
            std::chrono::microseconds after(delay(rng));
            ASSERT_EQ(RunProbe(loop.kind, dir.path(), version(rng), &after), -1);
            const QMap<QString, QByteArray> now = FilesOf(dir.path());
            bool temporary = false;
            for (auto it = now.cbegin(); it != now.cend(); ++it) {
                if (versions[0].contains(it.key())) {
                    ASSERT_TRUE(it.value() == versions[0][it.key()] || it.value() == versions[1][it.key()])
                        << it.key().toStdString() << " after kill " << k;
                    continue;
                }
                // Nothing but the one temporary file of a target.
                const bool ofATarget = std::any_of(versions[0].keyBegin(), versions[0].keyEnd(), [&](const QString &t) {
                    return ReplacingTemporaryPath(t) == it.key();
                });
                ASSERT_TRUE(ofATarget) << it.key().toStdString() << " after kill " << k;
                temporary = true;
            }
            for (const QString &target : versions[0].keys())
                ASSERT_TRUE(now.contains(target)) << target.toStdString();
            killedWithTemporary += temporary;
            ++killedTotal;
        }
        // The next save replaces or removes what the kills left.
        ASSERT_EQ(RunProbe(loop.kind, dir.path(), 1, nullptr), 0);
        EXPECT_EQ(FilesOf(dir.path()), versions[1]);
    }
    std::printf("%d kills, %d of them during a write\n", killedTotal, killedWithTemporary);
    EXPECT_GT(killedWithTemporary, 0); // the kills did land inside saves
}
#endif
