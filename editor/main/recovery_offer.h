#pragma once
// The recovery copy in the editor: while the editor holds unsaved work, its
// own copy is kept up to date in the data folder's Recovery folder; a save,
// a return to the saved state or a clean exit removes it.  At start, a copy
// left by an editor that is no longer running is offered, and taken as this
// editor's unsaved work when the user wants it.
#include <QObject>
#include <QTimer>
#include <memory>

#include "recovery_writer.h"

namespace tamarie {

class TForm1;

class EditorRecovery : public QObject {
    Q_OBJECT
public:
    EditorRecovery(TForm1 &form, std::unique_ptr<RecoveryCopy> own);
    // Offers each copy left by an editor that is gone until one is taken:
    // はい opens it as the unsaved state of the file it belonged to, いいえ
    // removes it; a damaged one is removed after telling the user.
    void OfferLeftCopies();
    RecoveryWriter &Writer() { return writer_; }

private:
    // Work the user would lose: the document differs from what was saved,
    // or holds steps or recovered work when it was never saved.
    bool Unsaved() const;
    void Changed();

    TForm1 &form_;
    RecoveryWriter writer_;
    QTimer settle_;
    bool recovered_ = false;  // the document started as recovered work
    bool opening_ = false;    // a recovered copy is being read
};

// Gives the editor (not tamarie-render) its recovery copy, and offers copies
// left by editors that are gone once the event loop runs.  Null when the data
// folder cannot hold one.
EditorRecovery *StartRecovery(TForm1 &form);

} // namespace tamarie
