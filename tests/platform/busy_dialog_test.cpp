// Work run beside the interface: its thread is another, the interface's
// events go on meanwhile, and the busy dialog's 中止 reaches the work.
#include "busy_dialog.h"
#include "dialogs.h"
#include "hang_watchdog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace tamarie {
namespace {

using namespace std::chrono_literals;

TEST(BusyDialog, WorkEndsOnlyIfTheInterfaceGoesOnMeanwhile)
{
    testing::HangWatchdog watchdog("work waiting for the interface", 60s);
    dialogs::BeginScript();
    std::atomic<bool> handled{false};
    QTimer::singleShot(0, [&] { handled = true; });
    Qt::HANDLE worker = nullptr;
    RunWithBusyDialog(QStringLiteral("読み込んでいます…"), nullptr, [&](const std::atomic<bool> &) {
        worker = QThread::currentThreadId();
        while (!handled)
            std::this_thread::sleep_for(1ms);
    });
    dialogs::EndScript();
    EXPECT_TRUE(handled);
    EXPECT_NE(worker, QThread::currentThreadId());
}

TEST(BusyDialog, LongWorkShowsTheDialogWhoseCancelStopsIt)
{
    testing::HangWatchdog watchdog("work waiting for 中止", 60s);
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QProgressDialog *>(w); dialog && dialog->isVisible()) {
                shown = dialog->labelText();
                dialog->findChild<QAbstractButton *>()->click();
            }
    });
    poll.start(20);
    bool stopped = false;
    RunWithBusyDialog(QStringLiteral("読み込んでいます…"), nullptr, [&](const std::atomic<bool> &cancel) {
        while (!cancel)
            std::this_thread::sleep_for(1ms);
        stopped = true;
    });
    EXPECT_EQ(shown, QStringLiteral("読み込んでいます…"));
    EXPECT_TRUE(stopped);
}

} // namespace
} // namespace tamarie
