// The recovery copy of the editor's unsaved work, and the offer at start of
// what an editor that stopped without saving left.
#include "recovery_offer.h"

#include <QCoreApplication>
#include <QTabWidget>

#include "dialogs.h"
#include "document_file.h"
#include "document_history.h"
#include "tform1.h"

namespace tamarie {

namespace {
const QString kOfferQuestion = QStringLiteral("前回、保存されていない作業が残っています。復元しますか?");
const QString kDamagedMessage =
    QStringLiteral("前回、保存されていない作業が残っていましたが、壊れているため復元できません。");
} // namespace

EditorRecovery::EditorRecovery(TForm1 &form, std::unique_ptr<RecoveryCopy> own)
    : QObject(&form), form_(form),
      writer_(std::move(own),
              [&form] { return RecoveryContent{WorkStateOf(form.Doc(), form.Placement()), form.CurrentIniFile}; })
{
    // A step's change comes before the history has counted the step: what
    // is unsaved is looked at once the change is through.
    settle_.setSingleShot(true);
    settle_.setInterval(0);
    connect(&settle_, &QTimer::timeout, this, [this] {
        if (!opening_)
            writer_.WorkChanged(Unsaved());
    });
    connect(form.History, &DocumentHistory::Changed, this, &EditorRecovery::Changed);
    // Saved, or undone back to the saved state.
    connect(form.History->Stack(), &QUndoStack::cleanChanged, this, &EditorRecovery::Changed);
    // A clean exit leaves nothing to recover, whatever the user chose to save.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { writer_.Discard(); });
}

bool EditorRecovery::Unsaved() const
{
    const QUndoStack *stack = form_.History->Stack();
    return form_.History->Modified() && (stack->cleanIndex() >= 0 || stack->index() > 0 || recovered_);
}

void EditorRecovery::Changed() { settle_.start(); }

void EditorRecovery::OfferLeftCopies()
{
    while (std::unique_ptr<RecoveryCopy> left = RecoveryCopy::TakeLeft(RecoveryFolderIn(form_.DataFolda))) {
        const std::optional<RecoveryContent> content = left->Read();
        if (!content) {
            dialogs::ShowMessage(kDamagedMessage, &form_);
            left->Remove();
            continue;
        }
        if (!dialogs::Confirm(kOfferQuestion, &form_)) {
            left->Remove();
            continue;
        }
        // The copy is this editor's work from now on: kept until saved.
        writer_.Adopt(std::move(left));
        opening_ = true;
        form_.IsLoadingFile = true;
        form_.PageControl1->setFocus(Qt::OtherFocusReason);
        QStringList undecodable;
        const bool opened = form_.LoadWorkState(writer_.Copy()->IniPath(), &undecodable);
        if (opened) {
            form_.History->Reset(form_.Doc(), false);
            form_.NameCurrentFile(content->belongsTo);
            form_.PageControl1->setCurrentIndex(0);
            QCoreApplication::processEvents();
        }
        form_.IsLoadingFile = false;
        opening_ = false;
        if (!opened) {  // LoadWorkState said why
            writer_.Discard();
            continue;
        }
        recovered_ = true;
        Changed();
        form_.ReportUndecodablePhotos(undecodable);
        return;
    }
}

EditorRecovery *StartRecovery(TForm1 &form)
{
    std::unique_ptr<RecoveryCopy> own = RecoveryCopy::Create(RecoveryFolderIn(form.DataFolda));
    if (!own)
        return nullptr;
    auto *recovery = new EditorRecovery(form, std::move(own));
    QTimer::singleShot(0, recovery, &EditorRecovery::OfferLeftCopies);
    return recovery;
}

} // namespace tamarie
