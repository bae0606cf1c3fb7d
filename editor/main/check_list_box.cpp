#include "check_list_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <algorithm>

namespace tamarie {

TCheckListBox::TCheckListBox(const QStringList &items, int columns, QWidget *parent)
    : QWidget(parent), ColumnCount(std::max(1, columns))
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);
    for (const QString &text : items) {
        auto *box = new QCheckBox(text, this);
        Boxes.push_back(box);
        connect(box, &QCheckBox::clicked, this, &TCheckListBox::Click);
    }
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(2, 0, 2, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    const int perColumn = (Count() + ColumnCount - 1) / ColumnCount;
    for (int i = 0; i < Count(); ++i)
        grid->addWidget(Boxes[i], i % std::max(1, perColumn), i / std::max(1, perColumn));
    for (int c = 0; c < ColumnCount; ++c)
        grid->setColumnStretch(c, 1);
}

bool TCheckListBox::Checked(int index) const
{
    return index >= 0 && index < Count() && Boxes[index]->isChecked();
}

void TCheckListBox::SetChecked(int index, bool checked)
{
    if (index >= 0 && index < Count())
        Boxes[index]->setChecked(checked);
}

QCheckBox *TCheckListBox::Item(int index) const
{
    return index >= 0 && index < Count() ? Boxes[index] : nullptr;
}

} // namespace tamarie
