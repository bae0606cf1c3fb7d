// Saves killed at random moments: every target is always the old or the new
// file, whole, at most one temporary file per target is left, and the next
// save takes it away.
#ifdef TAMARIE_SAVE_PROBE_PATH
#include "replacing_file.h"
#include "save_probe/probe_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace tamarie;
using probe::FilesOf;

namespace {

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
        QMap<QString, QByteArray> versions[2];
        ASSERT_TRUE(probe::Versions(loop.kind, versions));
        QTemporaryDir dir;
        ASSERT_EQ(probe::Run(loop.kind, dir.path(), 0, nullptr), 0);

        std::uniform_int_distribution<int> delay(0, 25000), version(0, 1);
        for (int k = 0; k < loop.kills / probe::kSlowdown; ++k) {
            std::chrono::microseconds after(delay(rng));
            ASSERT_EQ(probe::Run(loop.kind, dir.path(), version(rng), &after), -1);
            const QMap<QString, QByteArray> now = FilesOf(dir.path());
            bool temporary = false;
            QMap<QString, int> temporaries; // per target
            for (auto it = now.cbegin(); it != now.cend(); ++it) {
                if (versions[0].contains(it.key())) {
                    ASSERT_TRUE(it.value() == versions[0][it.key()] || it.value() == versions[1][it.key()])
                        << it.key().toStdString() << " after kill " << k;
                    continue;
                }
                // Nothing but the one temporary file of a target.
                const auto target = std::find_if(versions[0].keyBegin(), versions[0].keyEnd(), [&](const QString &t) {
                    return IsReplacingTemporaryOf(t, it.key());
                });
                ASSERT_TRUE(target != versions[0].keyEnd()) << it.key().toStdString() << " after kill " << k;
                ASSERT_EQ(++temporaries[*target], 1) << it.key().toStdString() << " after kill " << k;
                temporary = true;
            }
            for (const QString &target : versions[0].keys())
                ASSERT_TRUE(now.contains(target)) << target.toStdString();
            killedWithTemporary += temporary;
            ++killedTotal;
        }
        // The next save replaces or removes what the kills left.
        ASSERT_EQ(probe::Run(loop.kind, dir.path(), 1, nullptr), 0);
        EXPECT_EQ(FilesOf(dir.path()), versions[1]);
    }
    std::printf("%d kills, %d of them during a write\n", killedTotal, killedWithTemporary);
    EXPECT_GT(killedWithTemporary, 0); // the kills did land inside saves
}
#endif
