// The 編集 menu: undo and redo of the steps of the history, each item
// naming its step.  Their keys work in every window of the editor (a
// calendar may have the focus right after its title was dragged); inside a
// text field they undo the field's own typing first.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "tform1.h"

namespace tamarie {

namespace {

const QString kUndo = QStringLiteral("元に戻す");
const QString kRedo = QStringLiteral("やり直し");

// "元に戻す: カレンダーの移動(&U)", or without a step "元に戻す(&U)".
QString ItemText(const QString &verb, const QString &step, QChar key)
{
    const QString access = QStringLiteral("(&") + key + u')';
    return step.isEmpty() ? verb + access : verb + QStringLiteral(": ") + step + access;
}

enum class TextKey { None, Undo, Redo };

TextKey TextKeyOf(const QKeyEvent *e)
{
    const QKeyCombination key = e->keyCombination();
    if (e->matches(QKeySequence::Undo) || key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z))
        return TextKey::Undo;
    if (e->matches(QKeySequence::Redo) || key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
        return TextKey::Redo;
    return TextKey::None;
}

// A text field takes the undo and redo keys while it has typing of its own
// to undo or redo; otherwise they go to the editor's steps.
class TextFieldUndo : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (!edit || edit->isReadOnly())
            return false;
        switch (TextKeyOf(static_cast<QKeyEvent *>(event))) {
        case TextKey::Undo:
            if (!edit->isUndoAvailable())
                return true;  // not taken by the field: the editor's undo
            edit->undo();
            break;
        case TextKey::Redo:
            if (!edit->isRedoAvailable())
                return true;
            edit->redo();
            break;
        case TextKey::None:
            return false;
        }
        // Done here; the key goes no further.
        event->accept();
        return true;
    }
};

} // namespace

void TForm1::CreateEditMenu()
{
    MenuEdit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    MenuEdit->setObjectName(QStringLiteral("MenuEdit"));
    MenuUndo = MenuEdit->addAction(ItemText(kUndo, QString(), u'U'));
    MenuUndo->setObjectName(QStringLiteral("MenuUndo"));
    MenuRedo = MenuEdit->addAction(ItemText(kRedo, QString(), u'R'));
    MenuRedo->setObjectName(QStringLiteral("MenuRedo"));
    MenuUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    MenuRedo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    for (QAction *a : {MenuUndo, MenuRedo})
        a->setShortcutContext(Qt::ApplicationShortcut);
    connect(MenuUndo, &QAction::triggered, this, &TForm1::MenuUndoClick);
    connect(MenuRedo, &QAction::triggered, this, &TForm1::MenuRedoClick);

    QUndoStack *stack = History->Stack();
    const auto refresh = [this, stack] {
        MenuUndo->setText(ItemText(kUndo, stack->canUndo() ? stack->undoText() : QString(), u'U'));
        MenuRedo->setText(ItemText(kRedo, stack->canRedo() ? stack->redoText() : QString(), u'R'));
        MenuUndo->setEnabled(stack->canUndo());
        MenuRedo->setEnabled(stack->canRedo());
    };
    connect(stack, &QUndoStack::indexChanged, this, refresh);
    connect(stack, &QUndoStack::cleanChanged, this, refresh);
    connect(stack, &QUndoStack::undoTextChanged, this, refresh);
    connect(stack, &QUndoStack::redoTextChanged, this, refresh);
    refresh();
    qApp->installEventFilter(new TextFieldUndo(this));
}

void TForm1::MenuUndoClick()
{
    if (History->Stack()->canUndo())
        History->Stack()->undo();
}

void TForm1::MenuRedoClick()
{
    if (History->Stack()->canRedo())
        History->Stack()->redo();
}

} // namespace tamarie
