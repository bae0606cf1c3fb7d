#pragma once
// The input state the wheel handling asks about at the moment of a wheel
// turn: whether [X] or [Y] is held, where the pointer is on the screen, and
// which widget has the keyboard focus.  Tests script these values.
#include <QPoint>
#include <Qt>

class QWidget;

namespace tamarie::input {

// Starts following key presses and releases application-wide (idempotent;
// needs the application object).
void Install();

// Whether the key is held, as far as the application's own key events tell
// (a key pressed while another program was active is not seen).
bool KeyHeld(Qt::Key key);
// The pointer's position in screen coordinates.
QPoint CursorPos();
// Whether w, or its focus proxy, has the keyboard focus.
bool HasFocus(const QWidget *w);

// Scripting for tests: while active, the values above come from here.
void BeginScript();
void EndScript();
void SetKeyHeld(Qt::Key key, bool held);
void SetCursorPos(const QPoint &pos);
void SetFocusWidget(const QWidget *w);

} // namespace tamarie::input
