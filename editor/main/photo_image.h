#pragma once
// A photo layer on the paper: its picture stretched to the control's bounds.
#include <QImage>
#include <QWidget>

namespace tamarie {

class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    const QImage &Picture() const { return Image; }
    void SetPicture(const QImage &picture);
    int Tag = 0;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage Image;
};

} // namespace tamarie
