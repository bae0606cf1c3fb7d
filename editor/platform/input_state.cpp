#include "input_state.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <set>

namespace tamarie::input {

namespace {

// Keys held, from the key events the application sees.  Cleared when the
// application loses activation, since the releases then go elsewhere.
class KeyTracker : public QObject {
public:
    std::set<int> held;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // A key event reaches the filter once per receiver on its way;
            // the set makes the repeats harmless.
            if (!static_cast<QKeyEvent *>(event)->isAutoRepeat()) {
                const int key = static_cast<QKeyEvent *>(event)->key();
                if (event->type() == QEvent::KeyPress)
                    held.insert(key);
                else
                    held.erase(key);
            }
            break;
        case QEvent::ApplicationDeactivate:
            held.clear();
            break;
        default:
            break;
        }
        return false;
    }
};

KeyTracker *tracker = nullptr;

struct Script {
    bool active = false;
    std::set<int> held;
    QPoint cursor;
    QPointer<const QWidget> focus;
};
Script &script()
{
    static Script s;
    return s;
}

} // namespace

void Install()
{
    if (tracker || !QCoreApplication::instance())
        return;
    tracker = new KeyTracker;
    tracker->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(tracker);
}

bool KeyHeld(Qt::Key key)
{
    if (script().active)
        return script().held.count(key) > 0;
    Install();
    return tracker && tracker->held.count(key) > 0;
}

QPoint CursorPos()
{
    if (script().active)
        return script().cursor;
    return QCursor::pos();
}

bool HasFocus(const QWidget *w)
{
    if (!w)
        return false;
    if (script().active) {
        const QWidget *f = script().focus.data();
        if (!f)
            return false;
        // The focus proxy chain, as the toolkit's own test follows it.
        const QWidget *target = w;
        while (target->focusProxy())
            target = target->focusProxy();
        return f == w || f == target;
    }
    return w->hasFocus();
}

void BeginScript()
{
    script() = Script{};
    script().active = true;
}
void EndScript() { script() = Script{}; }
void SetKeyHeld(Qt::Key key, bool held)
{
    if (held)
        script().held.insert(key);
    else
        script().held.erase(key);
}
void SetCursorPos(const QPoint &pos) { script().cursor = pos; }
void SetFocusWidget(const QWidget *w) { script().focus = w; }

} // namespace tamarie::input
