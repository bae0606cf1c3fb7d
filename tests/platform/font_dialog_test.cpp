// The font dialog: Japanese faces by their Japanese names, a Japanese
// sample in the face chosen, and a file's Windows face kept unless another
// is chosen.
#include "font_color_dialogs.h"
#include "fonts.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

int RowOf(const QListWidget *list, const QString &family)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == family)
            return i;
    return -1;
}

} // namespace

TEST(FontDialog, OffersTheWindowsFaceOfAFileFirstAndKeepsIt)
{
    fonts::InstallSubstitutions();
    const QString windows = QStringLiteral("ＭＳ 明朝");
    dialogs::FontColorDialog dialog(QFont(windows, 12), Qt::black);
    ASSERT_GE(dialog.FaceList->count(), 2);
    EXPECT_EQ(dialog.FaceList->currentRow(), 0);
    // Then the faces that write Japanese, then the others.
    bool latinSeen = false;
    for (int i = 1; i < dialog.FaceList->count(); ++i) {
        const QString family = dialog.FaceList->item(i)->data(Qt::UserRole).toString();
        const bool japanese = QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
        EXPECT_FALSE(latinSeen && japanese) << family.toStdString();
        latinSeen = latinSeen || !japanese;
    }
    EXPECT_TRUE(latinSeen);
    EXPECT_EQ(dialog.FaceList->item(0)->data(Qt::UserRole).toString(), windows);
    EXPECT_TRUE(dialog.FaceList->item(0)->text().contains(fonts::FaceShown(windows)));
    EXPECT_EQ(dialog.font().family(), windows);
    EXPECT_EQ(dialog.font().pointSize(), 12);
    // The sample is Japanese text drawn in the face that draws the font.
    EXPECT_EQ(dialog.Sample->text(), dialogs::kFontSampleText);
    EXPECT_EQ(QFontInfo(dialog.Sample->font()).family(), fonts::FaceUsed(windows));
    EXPECT_EQ(RowOf(dialog.FaceList, windows), 0);  // offered once
}

TEST(FontDialog, ChoosingAFaceStyleSizeAndEffects)
{
    const QString mincho = fonts::InstalledRelative(fonts::FaceKind::Mincho, fonts::Pitch::Proportional);
    const QString japanese = fonts::JapaneseName(mincho);
    ASSERT_NE(japanese, mincho);
    dialogs::FontColorDialog dialog(QFont(QStringLiteral("Sans Serif"), 10), Qt::black);
    const int row = RowOf(dialog.FaceList, mincho);
    ASSERT_GE(row, 0);
    EXPECT_EQ(dialog.FaceList->item(row)->text(), japanese);
    dialog.FaceList->setCurrentRow(row);
    dialog.StyleList->setCurrentRow(3);  // 太字 斜体
    dialog.SizeBox->setValue(20);
    dialog.CheckUnderline->setChecked(true);
    const QFont chosen = dialog.font();
    EXPECT_EQ(chosen.family(), mincho);
    EXPECT_TRUE(chosen.bold());
    EXPECT_TRUE(chosen.italic());
    EXPECT_TRUE(chosen.underline());
    EXPECT_FALSE(chosen.strikeOut());
    EXPECT_EQ(chosen.pointSize(), 20);
    EXPECT_EQ(dialog.SizeList->currentItem()->text(), QStringLiteral("20"));
    EXPECT_EQ(QFontInfo(dialog.Sample->font()).family(), mincho);
    EXPECT_TRUE(dialog.Sample->font().bold());

    // A large size is shown as large as the sample box holds.
    dialog.show();
    dialog.SizeBox->setValue(72);
    const int room = dialog.Sample->contentsRect().width();
    EXPECT_LE(QFontMetrics(dialog.Sample->font()).horizontalAdvance(dialogs::kFontSampleText), room);
    EXPECT_EQ(dialog.font().pointSize(), 72);

    // An installed face named in another language keeps that name untouched.
    dialogs::FontColorDialog again(QFont(japanese, 10), Qt::black);
    EXPECT_EQ(again.FaceList->currentRow(), RowOf(again.FaceList, mincho));
    EXPECT_EQ(again.font().family(), japanese);
}
