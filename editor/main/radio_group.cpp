#include "radio_group.h"

#include <QButtonGroup>
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
    ArrangeButtons();
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

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    // Like a classic radio group: items run down a column, then on to the next.
    if (Buttons.isEmpty())
        return;
    const int perColumn = (Count() + ColumnCount - 1) / ColumnCount;
    const QRect area = contentsRect().adjusted(4, title().isEmpty() ? 2 : fontMetrics().height() - 2, -2, -2);
    const int colWidth = std::max(1, area.width() / ColumnCount);
    const int rowHeight = std::max(1, area.height() / perColumn);
    for (int i = 0; i < Count(); ++i) {
        const int col = i / perColumn;
        const int row = i % perColumn;
        Buttons[i]->setGeometry(area.left() + col * colWidth, area.top() + row * rowHeight, colWidth,
                                std::min(rowHeight, Buttons[i]->sizeHint().height() + 2));
        const int extra = rowHeight - Buttons[i]->height();
        Buttons[i]->move(Buttons[i]->x(), Buttons[i]->y() + std::max(0, extra / 2));
    }
}

} // namespace tamarie
