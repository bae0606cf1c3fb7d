#include "recovery_writer.h"

namespace tamarie {

RecoveryWriter::RecoveryWriter(std::unique_ptr<RecoveryCopy> copy, std::function<RecoveryContent()> capture,
                               QObject *parent)
    : QObject(parent), copy_(std::move(copy)), capture_(std::move(capture))
{
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &RecoveryWriter::WriteNow);
    worker_.setMaxThreadCount(1);
    worker_.setExpiryTimeout(-1);
}

RecoveryWriter::~RecoveryWriter() { worker_.waitForDone(); }

void RecoveryWriter::WorkChanged(bool unsaved)
{
    if (!copy_)
        return;
    if (!unsaved) {
        if (writing_ || delay_.isActive() || !copy_->IniPath().isEmpty())
            Discard();
        return;
    }
    if (writing_)
        pending_ = true;
    // Not restarted by later changes: a long drag is written every delay.
    else if (!delay_.isActive())
        delay_.start();
}

void RecoveryWriter::WriteNow()
{
    if (!copy_)
        return;
    if (writing_) {
        pending_ = true;
        return;
    }
    writing_ = true;
    pending_ = false;
    const quint64 ticket = ++ticket_;
    // The copy is used by one write at a time, and only on the worker while
    // one runs; the interface thread waits for it before touching the copy.
    worker_.start([this, ticket, content = capture_(), copy = copy_.get()] {
        lastOk_ = copy->Write(content);
        QMetaObject::invokeMethod(this, [this, ticket] { Finished(ticket); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::Finished(quint64 ticket)
{
    if (ticket != ticket_)
        return;  // a write that was waited for already
    writing_ = false;
    emit Written(lastOk_);
    if (pending_ && !delay_.isActive())
        delay_.start();
}

void RecoveryWriter::Settle()
{
    worker_.waitForDone();
    if (writing_) {
        ++ticket_;  // its end, still in the event queue, is taken here
        writing_ = false;
        emit Written(lastOk_);
    }
}

void RecoveryWriter::Discard()
{
    delay_.stop();
    pending_ = false;
    Settle();
    if (copy_)
        copy_->Remove();
}

void RecoveryWriter::Adopt(std::unique_ptr<RecoveryCopy> copy)
{
    Discard();
    copy_ = std::move(copy);
}

void RecoveryWriter::Flush()
{
    Settle();
    if (delay_.isActive() || pending_) {
        delay_.stop();
        WriteNow();
        Settle();
    }
}

} // namespace tamarie
