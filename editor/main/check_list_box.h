#pragma once
// A list of check boxes laid out in columns (filled column by column).
// Click is raised when the user ticks or clears an item; setting a tick by
// program raises nothing.
#include <QStringList>
#include <QVector>
#include <QWidget>

class QCheckBox;

namespace tamarie {

class TCheckListBox : public QWidget {
    Q_OBJECT
public:
    TCheckListBox(const QStringList &items, int columns, QWidget *parent = nullptr);

    int Count() const { return int(Boxes.size()); }
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    QCheckBox *Item(int index) const;

signals:
    void Click();

private:

    QVector<QCheckBox *> Boxes;
    int ColumnCount;
};

} // namespace tamarie
