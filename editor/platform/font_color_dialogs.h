#pragma once
// The font dialog (face, style, size in points and colour) and the colour
// chooser, scriptable like the other dialogs of dialogs.h: while a script is
// active nothing is shown, the title is recorded and the answer taken from
// the queue (FontAnswer for the font dialog, QColor for the chooser; anything
// else counts as Cancel).
#include <QColor>
#include <QFont>
#include <QMetaType>
#include <optional>

class QWidget;

namespace tamarie::dialogs {

struct FontAnswer {
    QFont font;    // face, style and size in points
    QColor color;  // text colour
};

inline const QString kFontDialogTitle = QStringLiteral("フォント");
inline const QString kColorDialogTitle = QStringLiteral("色の設定");

// Empty when cancelled.
std::optional<FontAnswer> ChooseFont(const QFont &initial, const QColor &initialColor, QWidget *parent = nullptr);
std::optional<QColor> ChooseColor(const QColor &initial, QWidget *parent = nullptr);

// Scripting helper: queue a font dialog answer.
void AnswerFont(const QFont &font, const QColor &color);

} // namespace tamarie::dialogs

Q_DECLARE_METATYPE(tamarie::dialogs::FontAnswer)
