// Per-month appearance on the main window: the apply-to rule of each value
// handler, the storing that happens while a file loads, the title colour link,
// the font dialog and the same-size switch.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "color_box.h"
#include "editor_fixture.h"
#include "font_color_dialogs.h"
#include "labeled_edit.h"
#include "title_panel.h"

using namespace tamarie;
using tamarie::testing::EditorTest;

namespace {

const QString kChoose = QStringLiteral("適用月を選択してください。");
constexpr TColorValue kPink = 0xC0C0FF;  // not among the list's named colours
constexpr TColorValue kMint = 0xC0FFC0;

class Appearance : public EditorTest {
protected:
    TForm1 &MakeWith(int count)
    {
        TForm1 &f = Make();
        f.LECalendarYear->setText(QStringLiteral("2025"));
        f.LECalendarMonth->setText(QStringLiteral("4"));
        f.LECalendarMonths->setText(QString::number(count));
        f.BtnOK->click();
        QCoreApplication::processEvents();
        dialogs::ClearShown();
        return f;
    }
    // The user picking entry i of an apply-to list.
    static void Pick(QComboBox *list, int i)
    {
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    int Shown(const QString &text) const { return int(dialogs::Shown().count(text)); }
};

} // namespace

TEST_F(Appearance, SliderWithoutMonthWarnsOncePerChangeThenAllMonthsApplies)
{
    TForm1 &f = MakeWith(3);
    ASSERT_EQ(f.ComboBoxAlphaBlendTekiyo->currentIndex(), -1);
    const int before = f.ABackForm[2]->AlphaBlendValue();
    f.TrackBarAlphaBlend->setValue(100);
    f.TrackBarAlphaBlend->setValue(90);
    EXPECT_EQ(Shown(kChoose), 2);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(f.ABackForm[n]->AlphaBlendValue(), before) << n;
    Pick(f.ComboBoxAlphaBlendTekiyo, 0);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(f.ABackForm[n]->AlphaBlendValue(), 90) << n;
    EXPECT_EQ(Shown(kChoose), 2);  // selecting an entry never warns
}

TEST_F(Appearance, SliderForOneMonth)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxAlphaBlendTekiyo, 2);
    f.TrackBarAlphaBlend->setValue(40);
    EXPECT_EQ(f.ABackForm[2]->AlphaBlendValue(), 40);
    EXPECT_NE(f.ABackForm[1]->AlphaBlendValue(), 40);
    EXPECT_NE(f.ABackForm[3]->AlphaBlendValue(), 40);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Appearance, BackgroundChosenWithoutMonthIsKeptForALaterChoice)
{
    TForm1 &f = MakeWith(3);
    const TColorValue old = f.CalForm[2]->Color();
    f.ColorBoxCalendarBackColor->SetSelected(kPink);
    EXPECT_EQ(Shown(kChoose), 1);
    EXPECT_EQ(f.CalendarBackColor(), kPink);
    EXPECT_EQ(f.CalForm[2]->Color(), old);
    Pick(f.ComboBoxCalendarBackColorTekiyo, 2);
    EXPECT_EQ(f.CalForm[2]->Color(), kPink);
    EXPECT_EQ(f.CalForm[2]->TransparentColorValue(), kPink);
    EXPECT_EQ(f.CalForm[2]->Calendar->Color(), kPink);
    EXPECT_EQ(f.ABackForm[2]->Color(), kPink);
    EXPECT_EQ(f.CalForm[1]->Color(), old);
    EXPECT_EQ(f.CalForm[3]->Color(), old);
}

TEST_F(Appearance, ValuesAreStoredButNotAppliedWhileAFileLoads)
{
    TForm1 &f = MakeWith(2);
    Pick(f.ComboBoxCalendarBackColorTekiyo, 0);
    Pick(f.ComboBoxYearMonthBackColorTekiyo, 0);
    Pick(f.ComboBoxAlphaBlendTekiyo, 0);
    const TColorValue oldBack = f.CalForm[1]->Color();
    const TColorValue oldTitle = f.CalForm[1]->Panel->Color();
    const int oldAlpha = f.ABackForm[1]->AlphaBlendValue();
    f.IsLoadingFile = true;
    f.ColorBoxCalendarBackColor->SetSelected(kPink);
    f.ColorBoxYearMonthBackColor->SetSelected(kMint);
    f.TrackBarAlphaBlend->setValue(33);
    f.IsLoadingFile = false;
    EXPECT_EQ(f.CalendarBackColor(), kPink);
    EXPECT_EQ(f.CalendarPanelColor(), kMint);
    EXPECT_EQ(f.LblFontName->palette().color(QPalette::Window), ValueToColor(kMint));
    EXPECT_EQ(f.CalForm[1]->Color(), oldBack);
    EXPECT_EQ(f.CalForm[1]->Panel->Color(), oldTitle);
    EXPECT_EQ(f.ABackForm[1]->AlphaBlendValue(), oldAlpha);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Appearance, TitleBackgroundForAllMonths)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxYearMonthBackColorTekiyo, 0);
    f.ColorBoxYearMonthBackColor->SetSelected(kMint);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(f.CalForm[n]->Panel->Color(), kMint) << n;
    EXPECT_EQ(f.CalendarPanelColor(), kMint);
}

TEST_F(Appearance, SameBackColorGivesEachTitleItsOwnBackgroundUntilChosenAgain)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxCalendarBackColorTekiyo, 2);
    f.ColorBoxCalendarBackColor->SetSelected(kPink);
    ASSERT_EQ(f.CalForm[2]->Color(), kPink);
    const TColorValue back1 = f.CalForm[1]->Color();

    Pick(f.ComboBoxYearMonthBackColorTekiyo, 0);
    f.CheckBoxSameBackColor->setChecked(true);
    EXPECT_FALSE(f.ColorBoxYearMonthBackColor->isEnabled());
    EXPECT_EQ(f.CalForm[1]->Panel->Color(), back1);
    EXPECT_EQ(f.CalForm[2]->Panel->Color(), kPink);
    EXPECT_EQ(f.CalForm[3]->Panel->Color(), f.CalForm[3]->Color());
    // The list and the preview show calendar 1's title colour.
    EXPECT_EQ(f.ColorBoxYearMonthBackColor->Selected(), back1);
    EXPECT_EQ(f.CalendarPanelColor(), back1);
    EXPECT_EQ(f.LblFontName->palette().color(QPalette::Window), ValueToColor(back1));

    // A later background change does not recolour the title by itself.
    f.ColorBoxCalendarBackColor->SetSelected(kMint);
    EXPECT_EQ(f.CalForm[2]->Color(), kMint);
    EXPECT_EQ(f.CalForm[2]->Panel->Color(), kPink);
    // Choosing calendar 2 in the title list does.
    Pick(f.ComboBoxYearMonthBackColorTekiyo, 2);
    EXPECT_EQ(f.CalForm[2]->Panel->Color(), kMint);
    EXPECT_EQ(f.ColorBoxYearMonthBackColor->Selected(), kMint);

    // Unchecking restores nothing but enables the list again.
    f.CheckBoxSameBackColor->setChecked(false);
    EXPECT_TRUE(f.ColorBoxYearMonthBackColor->isEnabled());
    EXPECT_EQ(f.CalForm[2]->Panel->Color(), kMint);
}

TEST_F(Appearance, SameBackColorWithoutMonthOnlyDisablesTheList)
{
    TForm1 &f = MakeWith(3);
    const TColorValue title = f.CalForm[1]->Panel->Color();
    f.CheckBoxSameBackColor->setChecked(true);
    EXPECT_FALSE(f.ColorBoxYearMonthBackColor->isEnabled());
    EXPECT_EQ(f.CalForm[1]->Panel->Color(), title);
}

TEST_F(Appearance, FontButtonWithoutMonthWarnsAndOpensNothing)
{
    TForm1 &f = MakeWith(3);
    f.BtnCalendarFont->click();
    EXPECT_EQ(dialogs::Shown(), QStringList{kChoose});
}

TEST_F(Appearance, FontForOneMonthSetsGridAndOneAndAHalfTimesTitle)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxFontTekiyo, 2);
    const int size1 = f.CalForm[1]->Calendar->font().pointSize();
    const TColorValue weekday2 = f.CalForm[2]->Calendar->FontColor();
    QFont chosen(QStringLiteral("Noto Sans CJK JP"));
    chosen.setPointSize(13);
    chosen.setBold(true);
    dialogs::AnswerFont(chosen, QColor(0, 0, 255));
    f.BtnCalendarFont->click();
    EXPECT_EQ(dialogs::Shown(), QStringList{dialogs::kFontDialogTitle});
    EXPECT_EQ(f.CalForm[2]->Calendar->font().pointSize(), 13);
    EXPECT_TRUE(f.CalForm[2]->Calendar->font().bold());
    EXPECT_EQ(f.CalForm[2]->Calendar->font().family(), chosen.family());
    EXPECT_EQ(f.CalForm[2]->Panel->font().pointSize(), 20);  // 19.5 to even
    EXPECT_TRUE(f.CalForm[2]->Panel->font().bold());
    EXPECT_EQ(f.CalForm[2]->Panel->FontColor(), ColorToValue(QColor(0, 0, 255)));
    EXPECT_EQ(f.CalForm[2]->Calendar->FontColor(), weekday2);  // the weekday colour stays
    EXPECT_EQ(f.CalForm[1]->Calendar->font().pointSize(), size1);
    // The face drawn, which is the chosen one where it is installed.
    EXPECT_EQ(f.LblFontName->text(), QFontInfo(chosen).family());
    EXPECT_EQ(f.LblFontName->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(Appearance, FontSizesForAllMonths)
{
    TForm1 &f = MakeWith(2);
    Pick(f.ComboBoxFontTekiyo, 0);
    const std::pair<int, int> sizes[] = {{12, 18}, {11, 16}, {13, 20}};
    for (auto [grid, title] : sizes) {
        QFont chosen = f.CalForm[1]->Calendar->font();
        chosen.setPointSize(grid);
        dialogs::AnswerFont(chosen, Qt::black);
        f.BtnCalendarFont->click();
        for (int n = 1; n <= 2; ++n) {
            EXPECT_EQ(f.CalForm[n]->Calendar->font().pointSize(), grid) << n;
            EXPECT_EQ(f.CalForm[n]->Panel->font().pointSize(), title) << n;
        }
    }
}

TEST_F(Appearance, CancelledFontDialogChangesNoCalendar)
{
    TForm1 &f = MakeWith(2);
    Pick(f.ComboBoxFontTekiyo, 1);
    const QFont before = f.CalForm[1]->Calendar->font();
    f.BtnCalendarFont->click();  // no answer queued: cancelled
    EXPECT_EQ(f.CalForm[1]->Calendar->font(), before);
    EXPECT_TRUE(f.Doc().settings.font.followsCalendar1);
}

TEST_F(Appearance, ConfirmedFontThenOkGivesEveryMonthThatFontAtWidthBasedSizes)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxFontTekiyo, 1);
    QFont chosen = f.CalForm[1]->Calendar->font();
    chosen.setPointSize(30);
    chosen.setItalic(true);
    dialogs::AnswerFont(chosen, QColor(255, 0, 0));
    f.BtnCalendarFont->click();
    f.BtnOK->click();
    for (int n = 1; n <= 3; ++n) {
        const int width = f.CalForm[n]->width();
        EXPECT_TRUE(f.CalForm[n]->Calendar->font().italic()) << n;
        EXPECT_EQ(f.CalForm[n]->Calendar->font().pointSize(), std::max(1, RoundHalfEven(width * 0.04))) << n;
        EXPECT_EQ(f.CalForm[n]->Panel->FontColor(), ColorToValue(QColor(255, 0, 0))) << n;
    }
}

TEST_F(Appearance, FontListEntryAppliesTheCurrentFontWithoutTheDialog)
{
    TForm1 &f = MakeWith(3);
    Pick(f.ComboBoxFontTekiyo, 1);
    QFont chosen = f.CalForm[1]->Calendar->font();
    chosen.setPointSize(12);
    dialogs::AnswerFont(chosen, Qt::black);
    f.BtnCalendarFont->click();
    dialogs::ClearShown();
    Pick(f.ComboBoxFontTekiyo, 3);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
    EXPECT_EQ(f.CalForm[3]->Calendar->font().pointSize(), 12);
    EXPECT_EQ(f.CalForm[3]->Panel->font().pointSize(), 18);
}

TEST_F(Appearance, HolidayAndWeekdayTextColoursForOneMonth)
{
    TForm1 &f = MakeWith(3);
    const TColorValue holiday1 = f.HolidayTextColor(1);
    f.ColorBoxHolidayTextColor->SetSelected(kPink);
    EXPECT_EQ(Shown(kChoose), 1);
    Pick(f.ComboBoxHolidayTextColorTekiyo, 2);
    EXPECT_EQ(f.HolidayTextColor(2), kPink);
    EXPECT_EQ(f.HolidayTextColor(1), holiday1);

    Pick(f.ComboBoxDayTextColorTekiyo, 3);
    f.ColorBoxDayTextColor->SetSelected(kMint);
    EXPECT_EQ(f.CalForm[3]->Calendar->FontColor(), kMint);
    EXPECT_NE(f.CalForm[2]->Calendar->FontColor(), kMint);
    Pick(f.ComboBoxDayTextColorTekiyo, 0);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(f.CalForm[n]->Calendar->FontColor(), kMint) << n;
}

TEST_F(Appearance, SameSizeWithOneCalendarDoesNothing)
{
    TForm1 &f = MakeWith(1);
    const QSize size = f.CalForm[1]->size();
    f.CheckBoxSameSize->setChecked(true);
    EXPECT_EQ(f.CalForm[1]->size(), size);
}

TEST_F(Appearance, SameSizeGivesEveryCalendarTheFirstOnesSizeAndKeepsPositions)
{
    TForm1 &f = MakeWith(4);
    f.CalForm[1]->resize(230, 190);
    f.CalForm[3]->resize(120, 100);
    QPoint pos[5];
    for (int n = 2; n <= 4; ++n)
        pos[n] = f.CalForm[n]->pos();
    f.CheckBoxSameSize->setChecked(true);
    for (int n = 2; n <= 4; ++n) {
        EXPECT_EQ(f.CalForm[n]->size(), QSize(230, 190)) << n;
        EXPECT_EQ(f.ABackForm[n]->size(), QSize(230, 190)) << n;
        EXPECT_EQ(f.CalForm[n]->pos(), pos[n]) << n;
        // Laid out again: the grid font follows the new width.
        EXPECT_EQ(f.CalForm[n]->Calendar->font().pointSize(), RoundHalfEven(230 * 0.04)) << n;
    }
    // Unchecking changes nothing.
    f.CalForm[1]->resize(300, 200);
    f.CheckBoxSameSize->setChecked(false);
    EXPECT_EQ(f.CalForm[2]->size(), QSize(230, 190));
}
