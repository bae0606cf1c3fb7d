// Savers of one file at the same moment, as two editors (or an editor and a
// script) are: every target is one whole version at every moment, nothing is
// left behind, and editors adding schedules at once keep every entry under a
// number of its own.
#ifdef TAMARIE_SAVE_PROBE_PATH
#include "ini_file.h"
#include "save_probe/probe_process.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

using namespace tamarie;
using probe::FilesOf;

namespace {

constexpr int kRounds = 8 / probe::kSlowdown;

struct Race {
    const char *kind;
    QString watched; // read over and over while the savers run
};

} // namespace

TEST(ConcurrentSaves, TwoSaversOfOneTargetLeaveOneWholeVersion)
{
    int damaged = 0, targets = 0, reads = 0, failed = 0;
    for (const Race &race : {Race{"workstate", "plan.ini"}, Race{"png", "cal.png"}, Race{"config", "Config.ini"}}) {
        SCOPED_TRACE(race.kind);
        QMap<QString, QByteArray> versions[2];
        ASSERT_TRUE(probe::Versions(race.kind, versions));
        QTemporaryDir dir;
        ASSERT_EQ(probe::Run(race.kind, dir.path(), 0, nullptr), 0);
        const auto whole = [&](const QString &name, const QByteArray &bytes) {
            return bytes == versions[0][name] || bytes == versions[1][name];
        };
        for (int round = 0; round < kRounds; ++round) {
            std::atomic<bool> running{true};
            std::atomic<int> torn{0}, seen{0};
            std::thread reader([&] {
                while (running) {
                    torn += !whole(race.watched, probe::ReadAll(dir.filePath(race.watched)));
                    ++seen;
                    std::this_thread::sleep_for(std::chrono::microseconds(300));
                }
            });
            const probe::Process a = probe::Start(race.kind, dir.path(), 0, "3");
            const probe::Process b = probe::Start(race.kind, dir.path(), 1, "3");
            const int exitA = probe::Wait(a), exitB = probe::Wait(b);
            running = false;
            reader.join();
            failed += (exitA != 0) + (exitB != 0);
            damaged += torn;
            reads += seen;
            const QMap<QString, QByteArray> now = FilesOf(dir.path());
            EXPECT_EQ(now.keys(), versions[0].keys()) << "round " << round; // no temporary file left
            for (auto it = now.cbegin(); it != now.cend(); ++it) {
                ++targets;
                damaged += !whole(it.key(), it.value());
            }
        }
    }
    std::printf("race loop: %d rounds of two savers, %d failed; %d targets after them and %d reads during "
                "them, %d damaged\n",
                3 * kRounds, failed, targets, reads, damaged);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(damaged, 0);
}

TEST(ConcurrentSaves, EditorsAddingSchedulesAtOnceKeepEveryEntry)
{
    QTemporaryDir dir;
    constexpr int kEditors = 4, kEach = 12;
    std::vector<probe::Process> editors;
    for (int e = 0; e < kEditors; ++e)
        editors.push_back(probe::Start("newdays", dir.path(), e, QByteArray::number(kEach).constData()));
    for (const probe::Process &p : editors)
        ASSERT_EQ(probe::Wait(p), 0);

    // Every entry once, numbered 0 to the count less one, in any order.
    const IniFile ini(dir.filePath("Config.ini"));
    ASSERT_EQ(ini.ReadInteger("Schedule", "Count", -1), kEditors * kEach);
    std::set<QString> texts;
    for (int n = 0; n < kEditors * kEach; ++n) {
        const QString key = QString::number(n);
        const QString text = ini.ReadString("ScheduleStr", key);
        const QStringList parts = text.split(u'-');
        ASSERT_EQ(parts.size(), 2) << n;
        const QDate expected = QDate(2030, 1, 1).addDays(parts[0].toInt() * 1000 + parts[1].toInt());
        EXPECT_EQ(ini.ReadDate("ScheduleDate", key, 0), DateToValue(expected)) << text.toStdString();
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size_t(kEditors * kEach));
    EXPECT_EQ(ini.Keys("ScheduleStr").size(), kEditors * kEach);
}
#endif
