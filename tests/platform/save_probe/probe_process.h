#pragma once
// Starting the save probe (save_probe.cpp) from a test: alone, killed part
// way, or several at once on one folder.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <thread>

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace probe {

// Under the sanitizers each start of the probe costs several times as much;
// that run looks for memory faults, so a fraction of the starts do.
#ifdef __SANITIZE_ADDRESS__
constexpr int kSlowdown = 4;
#else
constexpr int kSlowdown = 1;
#endif

struct Process {
    pid_t pid = -1;
    int out = -1; // the probe's standard output
};

// mode: "once", "loop" or a number of saves.
inline Process Start(const char *kind, const QString &dir, int version, const char *mode)
{
    Process p;
    int out[2];
    if (::pipe(out) != 0)
        return p;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray path = TAMARIE_SAVE_PROBE_PATH, where = QFile::encodeName(dir), v = QByteArray::number(version);
    char *argv[] = {const_cast<char *>(path.constData()), const_cast<char *>(kind),
                    const_cast<char *>(where.constData()), const_cast<char *>(v.constData()),
                    const_cast<char *>(mode), nullptr};
    const int spawned = posix_spawn(&p.pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        p.pid = -1;
        return p;
    }
    p.out = out[0];
    return p;
}

// The exit status, or -1 when killed (-2 when it could not run).
inline int Wait(Process p)
{
    if (p.pid < 0)
        return -2;
    char buf[256];
    while (::read(p.out, buf, sizeof buf) > 0) {
    }
    ::close(p.out);
    int status = 0;
    ::waitpid(p.pid, &status, 0);
    if (WIFSIGNALED(status))
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
}

// Runs the probe to its end; with killAfter, waits for its "ready", lets it
// save for that long and kills it.
inline int Run(const char *kind, const QString &dir, int version, std::chrono::microseconds *killAfter)
{
    const Process p = Start(kind, dir, version, killAfter ? "loop" : "once");
    if (killAfter && p.pid >= 0) {
        pollfd poll{p.out, POLLIN, 0};
        char buf[16];
        if (::poll(&poll, 1, 20000) == 1 && ::read(p.out, buf, sizeof buf) > 0)
            std::this_thread::sleep_for(*killAfter);
        ::kill(p.pid, SIGKILL);
    }
    return Wait(p);
}

inline QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file of a folder, hidden ones included, by name.
inline QMap<QString, QByteArray> FilesOf(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        files.insert(name, ReadAll(dir + "/" + name));
    return files;
}

// Both versions of a kind's files as they are written over the first (a file
// keeps the encoding it was given: UTF-16 once code page 932 could not hold
// it); false when the probe failed.
inline bool Versions(const char *kind, QMap<QString, QByteArray> (&versions)[2])
{
    for (int v = 0; v < 2; ++v) {
        QTemporaryDir dir;
        if (Run(kind, dir.path(), 0, nullptr) != 0 || Run(kind, dir.path(), v, nullptr) != 0)
            return false;
        versions[v] = FilesOf(dir.path());
    }
    return versions[0].keys() == versions[1].keys();
}

} // namespace probe
