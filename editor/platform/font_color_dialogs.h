#pragma once
// The font dialog (face, style, size in points, effects and colour) and the
// colour chooser, scriptable like the other dialogs of dialogs.h: while a
// script is active nothing is shown, the title is recorded and the answer
// taken from the queue (FontAnswer for the font dialog, QColor for the
// chooser; anything else counts as Cancel).
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QMetaType>
#include <optional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace tamarie::dialogs {

struct FontAnswer {
    QFont font;    // face, style and size in points
    QColor color;  // text colour
};

inline const QString kFontDialogTitle = QStringLiteral("フォント");
inline const QString kColorDialogTitle = QStringLiteral("色の設定");
// Shown in the face it describes.
inline const QString kFontSampleText = QStringLiteral("Aaあぁアァ亜宇 2025年4月 大安");

// Empty when cancelled.
std::optional<FontAnswer> ChooseFont(const QFont &initial, const QColor &initialColor, QWidget *parent = nullptr);
std::optional<QColor> ChooseColor(const QColor &initial, QWidget *parent = nullptr);

// Scripting helper: queue a font dialog answer.
void AnswerFont(const QFont &font, const QColor &color);

// The font dialog itself. Faces that write Japanese come first, under their
// Japanese names; a face the font names that is not installed (a Windows
// face from a file) is offered first under its own name with the face that
// draws it, and stays the font's face unless another is chosen.
class FontColorDialog : public QDialog {
public:
    FontColorDialog(const QFont &font, const QColor &color, QWidget *parent = nullptr);

    QFont font() const;
    QColor color() const { return chosenColor; }

    QListWidget *FaceList = nullptr;   // item data: the family a font records
    QListWidget *StyleList = nullptr;  // 標準, 斜体, 太字, 太字 斜体
    QSpinBox *SizeBox = nullptr;
    QListWidget *SizeList = nullptr;
    QCheckBox *CheckStrikeOut = nullptr;
    QCheckBox *CheckUnderline = nullptr;
    QPushButton *ColorButton = nullptr;
    QLabel *Sample = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void SetColor(const QColor &c);
    void ShowSample();

    QFont initial;
    QColor chosenColor;
};

} // namespace tamarie::dialogs

Q_DECLARE_METATYPE(tamarie::dialogs::FontAnswer)
