#pragma once
// Keeps the recovery copy of unsaved work up to date without holding up the
// window: a change starts a short delay; then the work is captured on the
// interface thread (plain values, well under a millisecond) and written on a
// worker thread.  Never two writes at once, and whatever changes during a
// write is written after it, so the newest work is always written last.
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "recovery_copy.h"

namespace tamarie {

class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    // At most this long after a change the copy is being written.
    static constexpr int kDelayMs = 1000;

    // capture gives the work as it stands; it runs on the interface thread.
    RecoveryWriter(std::unique_ptr<RecoveryCopy> copy, std::function<RecoveryContent()> capture,
                   QObject *parent = nullptr);
    // Waits for a write in flight; the copy stays for the next start.
    ~RecoveryWriter() override;

    // The work changed; unsaved: it differs from what is saved (or it was
    // never saved and holds the user's work).  No copy while it is saved.
    void WorkChanged(bool unsaved);
    // The work is saved or given up on purpose: the copy goes.
    void Discard();
    // A copy left by an editor that is gone, now this editor's work: it is
    // kept and written from now on, and this editor's own copy goes.
    void Adopt(std::unique_ptr<RecoveryCopy> copy);

    // Writes what waits for the delay now and waits until the copy is
    // written (tests, benchmarks).
    void Flush();
    const RecoveryCopy *Copy() const { return copy_.get(); }

signals:
    // A write ended (ok: the copy holds the work captured for it).
    void Written(bool ok);

private:
    void WriteNow();
    void Finished(quint64 ticket);
    // Waits for the write in flight and takes its end at once.
    void Settle();

    std::unique_ptr<RecoveryCopy> copy_;
    std::function<RecoveryContent()> capture_;
    QTimer delay_;
    QThreadPool worker_;
    quint64 ticket_ = 0;      // the newest write started
    bool writing_ = false;    // a write runs on the worker
    bool pending_ = false;    // the work changed since that write was captured
    std::atomic<bool> lastOk_ = false;
};

} // namespace tamarie
