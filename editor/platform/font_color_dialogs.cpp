#include "font_color_dialogs.h"

#include "dialogs.h"
#include "fonts.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tamarie::dialogs {

namespace {

constexpr int kMinPoints = 1;
constexpr int kMaxPoints = 999;   // what a font record keeps
constexpr int kMaxSamplePoints = 48;

QListWidget *List(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

FontColorDialog::FontColorDialog(const QFont &font, const QColor &color, QWidget *parent)
    : QDialog(parent), initial(font), chosenColor(color)
{
    setWindowTitle(kFontDialogTitle);

    FaceList = List(this);
    const QString face = font.family();
    const QString installed = fonts::InstalledFamily(face);
    if (installed.isEmpty() && !face.isEmpty()) {
        auto *item = new QListWidgetItem(QStringLiteral("%1（%2で表示）").arg(face, fonts::FaceShown(face)), FaceList);
        item->setData(Qt::UserRole, face);
    }
    for (const fonts::FaceEntry &f : fonts::DialogFaces()) {
        auto *item = new QListWidgetItem(f.shown, FaceList);
        item->setData(Qt::UserRole, f.family);
    }
    const QString selected = installed.isEmpty() ? face : installed;
    for (int i = 0; i < FaceList->count(); ++i)
        if (FaceList->item(i)->data(Qt::UserRole).toString() == selected)
            FaceList->setCurrentRow(i);

    StyleList = List(this);
    StyleList->addItems({QStringLiteral("標準"), QStringLiteral("斜体"), QStringLiteral("太字"), QStringLiteral("太字 斜体")});
    StyleList->setCurrentRow((font.bold() ? 2 : 0) + (font.italic() ? 1 : 0));

    SizeBox = new QSpinBox(this);
    SizeBox->setRange(kMinPoints, kMaxPoints);
    SizeBox->setValue(std::clamp(font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize(), kMinPoints, kMaxPoints));
    SizeList = List(this);
    for (int size : QFontDatabase::standardSizes())
        SizeList->addItem(QString::number(size));

    CheckStrikeOut = new QCheckBox(QStringLiteral("取り消し線"), this);
    CheckStrikeOut->setChecked(font.strikeOut());
    CheckUnderline = new QCheckBox(QStringLiteral("下線"), this);
    CheckUnderline->setChecked(font.underline());
    ColorButton = new QPushButton(this);
    ColorButton->setFixedWidth(80);
    connect(ColorButton, &QPushButton::clicked, this, [this] {
        if (const auto c = ChooseColor(chosenColor, this))
            SetColor(*c);
    });

    Sample = new QLabel(kFontSampleText, this);
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setFixedHeight(96);
    Sample->setMinimumWidth(320);
    Sample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("フォント名:"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("スタイル:"), this), 0, 1);
    lists->addWidget(new QLabel(QStringLiteral("サイズ:"), this), 0, 2);
    lists->addWidget(FaceList, 1, 0, 2, 1);
    lists->addWidget(StyleList, 1, 1, 2, 1);
    lists->addWidget(SizeBox, 1, 2);
    lists->addWidget(SizeList, 2, 2);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(2, 1);

    auto *effects = new QGroupBox(QStringLiteral("効果"), this);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(CheckStrikeOut);
    effectsLayout->addWidget(CheckUnderline);
    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("色:"), this));
    colorRow->addWidget(ColorButton);
    colorRow->addStretch();
    effectsLayout->addLayout(colorRow);
    auto *sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
    auto *sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(Sample);
    auto *lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sampleBox, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(lower);
    layout->addWidget(buttons);
    resize(620, 520);

    connect(SizeList, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            SizeBox->setValue(text.toInt());
    });
    const auto showSize = [this] {
        const auto found = SizeList->findItems(QString::number(SizeBox->value()), Qt::MatchExactly);
        const QSignalBlocker block(SizeList);
        SizeList->setCurrentItem(found.isEmpty() ? nullptr : found.first());
        ShowSample();
    };
    connect(SizeBox, &QSpinBox::valueChanged, this, showSize);
    for (QListWidget *list : {FaceList, StyleList})
        connect(list, &QListWidget::currentRowChanged, this, [this] { ShowSample(); });
    for (QCheckBox *check : {CheckStrikeOut, CheckUnderline})
        connect(check, &QCheckBox::toggled, this, [this] { ShowSample(); });
    SetColor(color);
    showSize();
    if (QListWidgetItem *current = FaceList->currentItem())
        FaceList->scrollToItem(current, QAbstractItemView::PositionAtCenter);
}

void FontColorDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ShowSample();
}

QFont FontColorDialog::font() const
{
    QFont f = initial;
    // An installed face named otherwise (IPA明朝 for IPAMincho) keeps the name it came with.
    if (const QListWidgetItem *item = FaceList->currentItem()) {
        const QString family = item->data(Qt::UserRole).toString();
        if (family != fonts::InstalledFamily(initial.family()))
            f.setFamily(family);
    }
    f.setPointSize(SizeBox->value());
    const int style = std::max(StyleList->currentRow(), 0);
    f.setBold(style >= 2);
    f.setItalic(style % 2 == 1);
    f.setStrikeOut(CheckStrikeOut->isChecked());
    f.setUnderline(CheckUnderline->isChecked());
    return f;
}

void FontColorDialog::SetColor(const QColor &c)
{
    chosenColor = c;
    ColorButton->setStyleSheet(QStringLiteral("background-color: %1").arg(c.name()));
    ShowSample();
}

void FontColorDialog::ShowSample()
{
    // At the chosen size, or smaller where the whole sample would not fit.
    QFont f = font();
    f.setPointSize(std::min(f.pointSize(), kMaxSamplePoints));
    const int room = Sample->contentsRect().width() - 8;
    const int width = QFontMetrics(f).horizontalAdvance(kFontSampleText);
    if (room > 0 && width > room)
        f.setPointSize(std::max(kMinPoints, f.pointSize() * room / width));
    Sample->setFont(f);
    QPalette pal = Sample->palette();
    pal.setColor(QPalette::WindowText, chosenColor);
    Sample->setPalette(pal);
}

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
