#pragma once
// Long work off the interface thread: the windows keep painting while it
// runs, a busy dialog (a running bar and 中止) comes up when it takes more
// than a moment, and nothing else can be done meanwhile.
#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace tamarie {

// Runs work on a worker thread and returns when it has returned.  中止 sets
// the flag work is given; work should then return soon.  text is the
// dialog's line ("予定を読み込んでいます…").
void RunWithBusyDialog(const QString &text, QWidget *parent,
                       const std::function<void(const std::atomic<bool> &cancel)> &work);

} // namespace tamarie
