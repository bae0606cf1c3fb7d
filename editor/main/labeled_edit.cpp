#include "labeled_edit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpressionValidator>

namespace tamarie {

TLabeledEdit::TLabeledEdit(const QString &caption, LabelPosition position, bool digitsOnly, QWidget *parent)
    : QLineEdit(parent), Label(new QLabel(caption, parent)), Position(position)
{
    if (digitsOnly)
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    Label->setBuddy(this);
    connect(this, &QLineEdit::textChanged, this, &TLabeledEdit::Change);
    PlaceLabel();
}

QString TLabeledEdit::Caption() const { return Label->text(); }

void TLabeledEdit::SetCaption(const QString &caption)
{
    Label->setText(caption);
    PlaceLabel();
}

QSize TLabeledEdit::sizeHint() const
{
    QSize hint = QLineEdit::sizeHint();
    if (CharsWide > 0)
        hint.setWidth(fontMetrics().horizontalAdvance(QString(CharsWide, QLatin1Char('0'))) + 12);
    return hint;
}

QSize TLabeledEdit::minimumSizeHint() const
{
    QSize hint = QLineEdit::minimumSizeHint();
    if (CharsWide > 0)
        hint.setWidth(sizeHint().width());
    return hint;
}

void TLabeledEdit::PlaceLabel()
{
    if (LabelInLayout)
        return;
    Label->adjustSize();
    if (Position == LabelPosition::Right)
        Label->move(geometry().right() + 4, y() + (height() - Label->height()) / 2);
    else
        Label->move(x(), y() - Label->height() - 2);
}

void TLabeledEdit::moveEvent(QMoveEvent *event)
{
    QLineEdit::moveEvent(event);
    PlaceLabel();
}

void TLabeledEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    PlaceLabel();
}

void TLabeledEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    Label->show();
}

void TLabeledEdit::hideEvent(QHideEvent *event)
{
    QLineEdit::hideEvent(event);
    Label->hide();
}

void TLabeledEdit::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (OnKeyPress && text.size() == 1 && OnKeyPress(text.at(0))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tamarie
