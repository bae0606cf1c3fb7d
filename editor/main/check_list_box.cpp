#include "check_list_box.h"

#include <QCheckBox>
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
    ArrangeItems();
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

void TCheckListBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ArrangeItems();
}

void TCheckListBox::ArrangeItems()
{
    if (Boxes.isEmpty())
        return;
    const int perColumn = (Count() + ColumnCount - 1) / ColumnCount;
    const int colWidth = std::max(1, (width() - 4) / ColumnCount);
    const int rowHeight = std::max(1, (height() - 2) / perColumn);
    for (int i = 0; i < Count(); ++i)
        Boxes[i]->setGeometry(2 + (i / perColumn) * colWidth, 1 + (i % perColumn) * rowHeight, colWidth, rowHeight);
}

} // namespace tamarie
