#pragma once
// A drop-down list of colours: a custom entry that opens a colour chooser,
// an optional default entry, the standard colours and the extended colours.
// Change is raised whenever the selected colour changes, whether the user or
// the program chose it (through SetSelected).
#include <QComboBox>

#include "values.h"

namespace tamarie {

class TColorBox : public QComboBox {
    Q_OBJECT
public:
    // defaultColor < 0: no default entry.
    explicit TColorBox(TColorValue selected, TColorValue defaultColor = -1, QWidget *parent = nullptr);

    TColorValue Selected() const;
    // A colour not in the list becomes the custom entry's colour.
    void SetSelected(TColorValue value);
    TColorValue ColorOf(int index) const;

signals:
    void Change();

private:
    void OnActivated(int index);
    void Select(int index, TColorValue customValue);
    void SetEntryColor(int index, TColorValue value);

    static constexpr int CustomIndex = 0;
    int LastIndex = -1;
};

} // namespace tamarie
