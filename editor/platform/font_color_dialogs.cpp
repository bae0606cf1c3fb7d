#include "font_color_dialogs.h"

#include "dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamarie::dialogs {

namespace {

// The toolkit's font dialog has no colour; this one adds a colour button
// under an embedded font chooser.
class FontColorDialog : public QDialog {
public:
    FontColorDialog(const QFont &font, const QColor &color, QWidget *parent) : QDialog(parent), chosenColor(color)
    {
        setWindowTitle(kFontDialogTitle);
        fonts = new QFontDialog(font, this);
        fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        fonts->setWindowFlags(Qt::Widget);
        auto *colorRow = new QHBoxLayout;
        colorRow->addWidget(new QLabel(QStringLiteral("色:"), this));
        swatch = new QPushButton(this);
        swatch->setFixedWidth(80);
        colorRow->addWidget(swatch);
        colorRow->addStretch();
        connect(swatch, &QPushButton::clicked, this, [this] {
            if (const auto c = ChooseColor(chosenColor, this))
                SetColor(*c);
        });
        SetColor(color);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(fonts);
        layout->addLayout(colorRow);
        layout->addWidget(buttons);
    }

    QFont font() const { return fonts->currentFont(); }
    QColor color() const { return chosenColor; }

private:
    void SetColor(const QColor &c)
    {
        chosenColor = c;
        swatch->setStyleSheet(QStringLiteral("background-color: %1").arg(c.name()));
    }

    QFontDialog *fonts = nullptr;
    QPushButton *swatch = nullptr;
    QColor chosenColor;
};

} // namespace

std::optional<FontAnswer> ChooseFont(const QFont &initial, const QColor &initialColor, QWidget *parent)
{
    if (Scripted()) {
        Record(kFontDialogTitle);
        const QVariant v = TakeAnswer();
        if (!v.canConvert<FontAnswer>())
            return std::nullopt;
        return v.value<FontAnswer>();
    }
    FontColorDialog dlg(initial, initialColor, parent);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontAnswer{dlg.font(), dlg.color()};
}

std::optional<QColor> ChooseColor(const QColor &initial, QWidget *parent)
{
    if (Scripted()) {
        Record(kColorDialogTitle);
        const QVariant v = TakeAnswer();
        if (!v.canConvert<QColor>() || !v.value<QColor>().isValid())
            return std::nullopt;
        return v.value<QColor>();
    }
    const QColor c = QColorDialog::getColor(initial, parent, kColorDialogTitle);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

void AnswerFont(const QFont &font, const QColor &color) { Answer(QVariant::fromValue(FontAnswer{font, color})); }

} // namespace tamarie::dialogs
