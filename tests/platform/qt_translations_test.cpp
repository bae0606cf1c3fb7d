// Qt's own dialog texts read Japanese once the program's translations are in.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QPushButton>
#include <gtest/gtest.h>

#include "qt_translations.h"

namespace tamarie::platform {
namespace {

TEST(QtTranslations, StandardDialogButtonsReadJapanese)
{
    ASSERT_TRUE(InstallJapaneseQtTranslations(*qApp));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                         QDialogButtonBox::No | QDialogButtonBox::Save);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString("キャンセル"));
    EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QString("OK"));
    EXPECT_TRUE(box.button(QDialogButtonBox::Yes)->text().startsWith(QString("はい")));
    EXPECT_TRUE(box.button(QDialogButtonBox::No)->text().startsWith(QString("いいえ")));
    EXPECT_TRUE(box.button(QDialogButtonBox::Save)->text().startsWith(QString("保存")));
}

// The file dialog's type column: Qt 6 asks under a context the catalogue lacks.
TEST(QtTranslations, FileTypeNamesReadJapanese)
{
    ASSERT_TRUE(InstallJapaneseQtTranslations(*qApp));
    const QFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(QDir::tempPath())), QString("フォルダ"));
}

} // namespace
} // namespace tamarie::platform
