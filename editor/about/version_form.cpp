#include "version_form.h"

#include "bevel_label.h"
#include "emblem.h"
#include "platform/dialogs.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QUrl>

namespace tamarie {

namespace {

QFont tahoma(int pixelHeight, bool bold)
{
    QFont f;
    // Tahoma where it exists; otherwise a sans of similar width rather than
    // the wide default, so "Ver 1.42" fits its label.
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                   QStringLiteral("Nimbus Sans"), QStringLiteral("Arial")});
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    label->setPalette(p);
}

} // namespace

QString TVersionForm::AuthorUrl() { return QStringLiteral("https://tamarie.example.jp/"); }
QString TVersionForm::NoticeText() { return QStringLiteral("このソフトは無保証です"); }

TVersionForm::TVersionForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("タマリエのバージョン情報"));
    setFixedSize(404, 190);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 255, 0));  // lime
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 23, 73, 74);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap::fromImage(TamarieEmblem(73)));

    Label1 = new TBevelLabel(QStringLiteral("タマリエ"), this);
    Label1->setGeometry(98, 23, 278, 35);
    Label1->setFont(tahoma(29, true));
    Label1->SetFontColor(QColor(128, 0, 0));  // maroon

    Lavel2 = new TBevelLabel(QStringLiteral("Ver 1.42 "), this);
    Lavel2->setGeometry(290, 64, 107, 29);
    Lavel2->setFont(tahoma(24, true));
    Lavel2->SetFontColor(Qt::black);
    Lavel2->SetShadowColor(QColor(192, 192, 192));  // silver

    Label3 = new TBevelLabel(NoticeText(), this);
    Label3->setGeometry(81, 124, 295, 29);
    Label3->setFont(tahoma(24, true));
    Label3->SetFontColor(QColor(0, 0, 255));  // blue

    LblURL = new QLabel(AuthorUrl(), this);
    LblURL->setGeometry(117, 159, 279, 18);
    LblURL->setFont(tahoma(15, false));
    LblURL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(LblURL, Qt::black);
    LblURL->setCursor(Qt::PointingHandCursor);
    LblURL->setMouseTracking(true);
    LblURL->installEventFilter(this);

    FormCreate();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
}

void TVersionForm::FormCreate()
{
    // The link ends where the notice line ends.
    LblURL->move(Label3->x() + Label3->width() - LblURL->width(), LblURL->y());
}

void TVersionForm::FormMouseMove() { setTextColor(LblURL, Qt::black); }

void TVersionForm::LblURLMouseMove() { setTextColor(LblURL, QColor(255, 0, 0)); }

void TVersionForm::LblURLClick()
{
    if (!QDesktopServices::openUrl(QUrl(LblURL->text())))
        dialogs::ShowMessage(QStringLiteral("作者サイトへの接続に失敗しました。"), this);
}

void TVersionForm::mouseMoveEvent(QMouseEvent *event)
{
    FormMouseMove();
    QDialog::mouseMoveEvent(event);
}

bool TVersionForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LblURL) {
        if (event->type() == QEvent::MouseMove) {
            LblURLMouseMove();
            return true;  // not on to the window, which would turn it black again
        }
        if (event->type() == QEvent::MouseButtonRelease
                 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
                 && LblURL->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
            LblURLClick();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tamarie
