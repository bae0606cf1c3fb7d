#include "about/bevel_label.h"
#include "about/emblem.h"
#include "about/help_file.h"
#include "about/version_form.h"
#include "platform/dialogs.h"

#include "support/test_app.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

} // namespace

TEST(VersionForm, TextsPlacesAndColours)
{
    TestApp();
    TVersionForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("タマリエのバージョン情報"));
    EXPECT_EQ(form.size(), QSize(404, 190));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(0, 255, 0));

    EXPECT_EQ(form.Label1->text(), QStringLiteral("タマリエ"));
    EXPECT_EQ(form.Label1->geometry(), QRect(98, 23, 278, 35));
    EXPECT_EQ(form.Label1->font().pixelSize(), 29);
    EXPECT_TRUE(form.Label1->font().bold());
    EXPECT_EQ(form.Label1->FontColor(), QColor(128, 0, 0));

    EXPECT_EQ(form.Lavel2->text(), QStringLiteral("Ver 1.42 "));
    EXPECT_EQ(form.Lavel2->geometry(), QRect(290, 64, 107, 29));
    EXPECT_EQ(form.Lavel2->font().pixelSize(), 24);
    EXPECT_EQ(form.Lavel2->FontColor(), QColor(0, 0, 0));
    EXPECT_EQ(form.Lavel2->ShadowColor(), QColor(192, 192, 192));
    EXPECT_EQ(form.Lavel2->BevelWidth(), 2u);

    EXPECT_EQ(form.Label3->geometry(), QRect(81, 124, 295, 29));
    EXPECT_EQ(form.Label3->FontColor(), QColor(0, 0, 255));
    EXPECT_FALSE(form.Label3->text().isEmpty());

    EXPECT_EQ(form.Image1->geometry(), QRect(8, 23, 73, 74));
    EXPECT_FALSE(form.Image1->pixmap().isNull());

    // The link's right edge lines up with the notice line's.
    EXPECT_EQ(form.LblURL->x() + form.LblURL->width(), form.Label3->x() + form.Label3->width());
    EXPECT_EQ(form.LblURL->y(), 159);
    EXPECT_EQ(form.LblURL->size(), QSize(279, 18));
    EXPECT_EQ(form.LblURL->font().pixelSize(), 15);
    EXPECT_TRUE(form.LblURL->text().startsWith(QStringLiteral("https://")));
}

TEST(VersionForm, LinkTurnsRedOverItAndBlackOverTheWindow)
{
    TestApp();
    TVersionForm form;
    form.show();
    auto linkColour = [&] { return form.LblURL->palette().color(QPalette::Active, QPalette::WindowText); };
    EXPECT_EQ(linkColour(), QColor(0, 0, 0));
    QMouseEvent overLink(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.LblURL, &overLink);
    EXPECT_EQ(linkColour(), QColor(255, 0, 0));
    QMouseEvent overForm(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &overForm);
    EXPECT_EQ(linkColour(), QColor(0, 0, 0));
}

TEST(VersionForm, ClickingTheLinkOpensItsCaption)
{
    TestApp();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    TVersionForm form;
    dialogs::BeginScript();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4), QPointF(4, 4), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(4, 4), QPointF(4, 4), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(form.LblURL, &press);
    QApplication::sendEvent(form.LblURL, &release);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl(form.LblURL->text()));
    EXPECT_TRUE(dialogs::Shown().isEmpty());
    dialogs::EndScript();
}

TEST(VersionForm, LinkThatCannotBeOpenedIsReported)
{
    TestApp();
    TVersionForm form;
    dialogs::BeginScript();
    form.LblURL->setText(QStringLiteral("http://[broken"));
    form.LblURLClick();
    EXPECT_EQ(dialogs::Shown(), QStringList{QStringLiteral("作者サイトへの接続に失敗しました。")});
    dialogs::EndScript();
}

TEST(HelpFile, OpensReadMeInTheProgramFolder)
{
    TestApp();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    OpenHelpFile(QStringLiteral("/opt/tamarie"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(QStringLiteral("/opt/tamarie/ReadMe.txt")));
    EXPECT_EQ(HelpFilePath(QStringLiteral("/x")), QStringLiteral("/x/ReadMe.txt"));
}

TEST(HelpFile, TheShippedHelpTextExplainsTheCommands)
{
    QFile file(QStringLiteral(TAMARIE_SOURCE_DIR "/data/ReadMe.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char *command : {"作業状態読み込み", "名前を付けて作業状態を保存", "上書き保存", "画像で保存", "印刷",
                                "使い方", "バージョン情報", "設定1", "設定2", "画像/用紙", "前面にする", "背面にする",
                                "Config.ini", "[X]", "[Y]"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(command))) << command;
}

TEST(Emblem, IsDrawnAtAnySize)
{
    TestApp();
    for (int side : {16, 73, 256}) {
        const QImage img = TamarieEmblem(side);
        ASSERT_EQ(img.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);                  // transparent corner
        EXPECT_EQ(qAlpha(img.pixel(side / 2, side / 2)), 255);  // solid middle
    }
    EXPECT_TRUE(TamarieEmblem(0).isNull());
}

#include "version_form_test.moc"
