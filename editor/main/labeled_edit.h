#pragma once
// A one-line edit with its own caption label (to its right or above it).
// Change is raised on every change of the text, by the user or the program.
#include <QLineEdit>
#include <functional>

class QLabel;

namespace tamarie {

class TLabeledEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class LabelPosition { Right, Above };
    TLabeledEdit(const QString &caption, LabelPosition position, bool digitsOnly, QWidget *parent = nullptr);

    QLabel *EditLabel() const { return Label; }
    QString Caption() const;
    // The caption is placed by the parent's layout rather than beside the edit.
    void SetLabelInLayout() { LabelInLayout = true; }
    // A width for this many digits in the current font (0: the usual width).
    void SetCharsWide(int chars) { CharsWide = chars; updateGeometry(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void SetCaption(const QString &caption);
    // Called for every typed character; returning true swallows the key.
    std::function<bool(QChar key)> OnKeyPress;

signals:
    void Change();

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void PlaceLabel();

    QLabel *Label;
    LabelPosition Position;
    bool LabelInLayout = false;
    int CharsWide = 0;
};

} // namespace tamarie
