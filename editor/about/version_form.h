#pragma once
// The about window: name and version in raised lettering, a notice line and
// the link to the author's web page.
#include <QDialog>

class QLabel;

namespace tamarie {

class TBevelLabel;

class TVersionForm : public QDialog {
    Q_OBJECT
public:
    explicit TVersionForm(QWidget *parent = nullptr);

    static QString AuthorUrl();
    static QString NoticeText();

    QLabel *Image1 = nullptr;
    TBevelLabel *Label1 = nullptr;
    TBevelLabel *Lavel2 = nullptr;
    TBevelLabel *Label3 = nullptr;
    QLabel *LblURL = nullptr;

    void FormCreate();
    void FormMouseMove();
    void LblURLMouseMove();
    void LblURLClick();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tamarie
