#include "busy_dialog.h"

#include "dialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace tamarie {

namespace {
// Quick work ends before anything shows.
constexpr int kDialogDelayMs = 400;
} // namespace

void RunWithBusyDialog(const QString &text, QWidget *parent,
                       const std::function<void(const std::atomic<bool> &cancel)> &work)
{
    std::atomic<bool> cancel{false};
    const std::unique_ptr<QThread> thread(QThread::create([&] { work(cancel); }));
    QEventLoop loop;
    bool done = false; // set on this thread when the worker's end arrives here
    QObject::connect(thread.get(), &QThread::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    auto wait = [&](QEventLoop::ProcessEventsFlags flags) {
        if (!done)
            loop.exec(flags);
    };
    QApplication::setOverrideCursor(Qt::BusyCursor);
    thread->start();
    // Until the dialog is up, clicks and keys wait for the end, so nothing
    // can start or close meanwhile; painting goes on.
    QTimer delay;
    delay.setSingleShot(true);
    QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (!dialogs::Scripted()) {
        delay.start(kDialogDelayMs);
        wait(QEventLoop::ExcludeUserInputEvents);
    }
    if (!done && !dialogs::Scripted()) {
        QProgressDialog dialog(text, QStringLiteral("中止"), 0, 0, parent);
        dialog.setWindowTitle(QStringLiteral("タマリエ"));
        dialog.setWindowModality(Qt::ApplicationModal);
        // Only 中止 ends it: no close, minimise or maximise buttons.
        dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        dialog.setMinimumDuration(0);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
        QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
            cancel = true;
            loop.quit();
        });
        dialog.show();
        wait(QEventLoop::AllEvents);
    }
    // After 中止, until the work has noticed.
    wait(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    QApplication::restoreOverrideCursor();
}

} // namespace tamarie
