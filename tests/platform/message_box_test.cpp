// Message boxes show their whole text, however long, and their whole title.
#include "dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tamarie {
namespace {

TEST(MessageBox, ShowsTheWholeTextAndTitle)
{
    const QString longText = QStringLiteral("/tmp/予定/とても長い名前の予定ファイル.ics から予定を読み込めません"
                                            "(繰り返しの予定が多すぎるか、複雑すぎます)。")
                                 .repeated(3);
    for (const QString &text : {QStringLiteral("OK"), longText}) {
        bool fits = false, titleFits = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            const QLabel *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->fontMetrics().horizontalAdvance(text);
            fits = label->wordWrap() ? needed <= label->height() : needed <= label->width();
            titleFits = box->width() >= box->fontMetrics().horizontalAdvance(box->windowTitle()) + 120;
            box->accept();
        });
        dialogs::ShowMessage(text);
        EXPECT_TRUE(fits) << text.size();
        EXPECT_TRUE(titleFits);
    }
}

} // namespace
} // namespace tamarie
