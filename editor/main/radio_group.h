#pragma once
// A framed group of radio buttons laid out in columns, filled column by
// column, with one item chosen at a time.
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <QVector>

class QButtonGroup;

namespace tamarie {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString &caption, const QStringList &items, int columns, QWidget *parent = nullptr);

    int Count() const { return int(Buttons.size()); }
    int ItemIndex() const { return Index; }
    // Selecting an item by program raises Click just as a user's choice does,
    // so handlers guard themselves with the editor's flags.
    void SetItemIndex(int index);
    QString ItemCaption(int index) const;
    void SetItemCaption(int index, const QString &caption);
    QRadioButton *Button(int index) const;
    int Columns() const { return ColumnCount; }

signals:
    void Click();

private:

    QVector<QRadioButton *> Buttons;
    QButtonGroup *Group;
    int ColumnCount;
    int Index = -1;
};

} // namespace tamarie
