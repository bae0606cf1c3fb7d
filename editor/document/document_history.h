#pragma once
// The document and its history: every edit of the user is one step on a
// QUndoStack, named after what the user did, and runs of the same action
// (a drag, wheel notches, a slider) merge into one step.  Whoever shows the
// document listens to Changed.
//
// Adding an edit: build the document as it is after the action and hand it
// to Apply with the action's name; a step that merges with the steps before
// it names what it merges with (Merging).  A step undoes only the values it
// changed, so what the windows brought into the document meanwhile (a window
// manager's move, a new paper size) stays.
#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>

#include "document.h"

namespace tamarie {

class DocumentHistory;

// How a step merges with the one before it: both of the same kind and key
// (the same drag, the same wheel target) and, with a window, no more than
// that many milliseconds after the last step merged.
struct Merging {
    int kind = -1;       // -1: never merges
    quint64 key = 0;
    int windowMs = 0;    // 0: no time limit
};

// The kinds of merging steps.
enum MergeKind : int {
    kMergeCalendarMove = 1,
    kMergeCalendarWheel,
    kMergePhotoMove,
    kMergePhotoWheel,
    kMergeAlphaSlider,
    kMergePhotoAdd,
};

// Steps of the same wheel target merge while they come within this of each other.
constexpr int kWheelMergeMs = 1000;

// One step that changes the document: the document before and after it.
class DocumentCommand : public QUndoCommand {
public:
    DocumentCommand(DocumentHistory *history, const QString &name, Document before, Document after,
                    Merging merging = {});
    void undo() override;
    void redo() override;
    int id() const override { return merging.kind; }
    bool mergeWith(const QUndoCommand *other) override;

    const Document &Before() const { return before; }
    const Document &After() const { return after; }

private:
    DocumentHistory *history;
    Document before;
    Document after;
    Merging merging;
    qint64 lastMs = 0;
};

class DocumentHistory : public QObject {
    Q_OBJECT
public:
    explicit DocumentHistory(QObject *parent = nullptr);

    const Document &Current() const { return current; }
    QUndoStack *Stack() { return &stack; }

    // One step of the user: the document after it.  Nothing is recorded
    // when nothing changes.  A step may start from an earlier document
    // (before), when what came in meanwhile belongs to it.
    void Apply(const QString &name, const Document &after, Merging merging = {}, const Document *before = nullptr);
    // Not an edit: the document follows what the windows show.  No step, and
    // whether there is unsaved work stays as it is.
    void Adjust(const Document &after);
    // A fresh history starting at doc; saved when it is a file's content.
    void Reset(const Document &doc, bool saved);
    // Other kinds of steps (the user's day data) go on the same stack.
    void Push(QUndoCommand *command) { stack.push(command); }
    // The document is now the one in its file.
    void MarkSaved() { stack.setClean(); }
    // Whether the document differs from the one last saved or opened: some
    // step between that state and now changes the document.  Always true
    // when it was never saved.
    bool Modified() const;

    // Milliseconds of a clock that only runs forward (merging windows).
    static qint64 NowMs();

signals:
    void Changed();

private:
    friend class DocumentCommand;
    void Set(const Document &doc);

    Document current;
    QUndoStack stack;
};

} // namespace tamarie
