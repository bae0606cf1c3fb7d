#include "document_history.h"

#include <QElapsedTimer>

namespace tamarie {

namespace {
// The history keeps this many steps; older ones are forgotten.
constexpr int kUndoLimit = 1000;
} // namespace

DocumentCommand::DocumentCommand(DocumentHistory *history, const QString &name, Document before, Document after,
                                 Merging merging)
    : QUndoCommand(name), history(history), before(std::move(before)), after(std::move(after)), merging(merging),
      lastMs(DocumentHistory::NowMs())
{
}

void DocumentCommand::redo() { history->Set(MergeChange(history->Current(), before, after)); }

void DocumentCommand::undo() { history->Set(MergeChange(history->Current(), after, before)); }

bool DocumentCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = dynamic_cast<const DocumentCommand *>(other);
    if (!next || next->merging.kind != merging.kind || next->merging.key != merging.key)
        return false;
    if (merging.windowMs > 0 && next->lastMs - lastMs > merging.windowMs)
        return false;
    after = next->after;
    lastMs = next->lastMs;
    // A run that ends where it began is no step at all.
    setObsolete(after == before);
    return true;
}

DocumentHistory::DocumentHistory(QObject *parent) : QObject(parent)
{
    stack.setUndoLimit(kUndoLimit);
    stack.resetClean();
}

qint64 DocumentHistory::NowMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

void DocumentHistory::Set(const Document &doc)
{
    if (doc == current)
        return;
    current = doc;
    emit Changed();
}

void DocumentHistory::Apply(const QString &name, const Document &after, Merging merging, const Document *before)
{
    if (after == current)
        return;
    stack.push(new DocumentCommand(this, name, before ? *before : current, after, merging));
}

void DocumentHistory::Adjust(const Document &after) { Set(after); }

void DocumentHistory::Reset(const Document &doc, bool saved)
{
    stack.clear();
    if (saved)
        stack.setClean();
    else
        stack.resetClean();
    Set(doc);
}

bool DocumentHistory::Modified() const
{
    const int clean = stack.cleanIndex();
    if (clean < 0)
        return true;
    const int index = stack.index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i)
        if (dynamic_cast<const DocumentCommand *>(stack.command(i)))
            return true;
    return false;
}

} // namespace tamarie
