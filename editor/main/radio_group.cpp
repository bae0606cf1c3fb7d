#include "radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace tamarie {

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, int columns, QWidget *parent)
    : QGroupBox(caption, parent), Group(new QButtonGroup(this)), ColumnCount(std::max(1, columns))
{
    Group->setExclusive(true);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        Buttons.push_back(b);
        Group->addButton(b, i);
    }
    connect(Group, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == Index)
            return;
        Index = id;
        emit Click();
    });
    // Like a classic radio group: items run down a column, then on to the next.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 0, 2, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    const int perColumn = (Count() + ColumnCount - 1) / std::max(1, ColumnCount);
    for (int i = 0; i < Count(); ++i)
        grid->addWidget(Buttons[i], i % std::max(1, perColumn), i / std::max(1, perColumn));
    for (int c = 0; c < ColumnCount; ++c)
        grid->setColumnStretch(c, 1);
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= Count() || index == Index)
        return;
    Index = index;
    if (index < 0) {
        Group->setExclusive(false);
        for (auto *b : Buttons)
            b->setChecked(false);
        Group->setExclusive(true);
    } else {
        Buttons[index]->setChecked(true);
    }
    emit Click();
}

QString TRadioGroup::ItemCaption(int index) const
{
    return index >= 0 && index < Count() ? Buttons[index]->text() : QString();
}

void TRadioGroup::SetItemCaption(int index, const QString &caption)
{
    if (index >= 0 && index < Count())
        Buttons[index]->setText(caption);
}

QRadioButton *TRadioGroup::Button(int index) const
{
    return index >= 0 && index < Count() ? Buttons[index] : nullptr;
}

} // namespace tamarie
