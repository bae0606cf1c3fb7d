// Start-up of the main window: its controls, menus, initial editor state,
// the settings file read at start, and the first showing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>

#include "check_list_box.h"
#include "color_box.h"
#include "editor_fixture.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "radio_group.h"

using namespace tamarie;
using tamarie::testing::EditorTest;

namespace {

QString Today(const char *format) { return QDate::currentDate().toString(QString::fromLatin1(format)); }

QStringList Captions(const TRadioGroup *g)
{
    QStringList out;
    for (int i = 0; i < g->Count(); ++i)
        out << g->ItemCaption(i);
    return out;
}

QStringList Texts(const TCheckListBox *l)
{
    QStringList out;
    for (int i = 0; i < l->Count(); ++i)
        out << l->Item(i)->text();
    return out;
}

const QStringList kWeekdays = {"日", "月", "火", "水", "木", "金", "土"};

} // namespace

using MainWindowCreate = EditorTest;

TEST_F(MainWindowCreate, CaptionMenusAndPopupTexts)
{
    TForm1 &f = Make(false);
    EXPECT_EQ(f.windowTitle(), QString("無題-タマリエ"));
    const QList<QAction *> top = f.menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), QString("ファイル(&F)"));
    EXPECT_EQ(top[1]->text(), QString("編集(&E)"));
    EXPECT_EQ(top[2]->text(), QString("ヘルプ(&H)"));
    // Nothing to undo or redo yet.
    EXPECT_EQ(f.MenuUndo->text(), QString("元に戻す(&U)"));
    EXPECT_EQ(f.MenuRedo->text(), QString("やり直し(&R)"));
    EXPECT_FALSE(f.MenuUndo->isEnabled());
    EXPECT_FALSE(f.MenuRedo->isEnabled());
    QStringList file;
    for (QAction *a : f.MenuFile->actions())
        file << (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(file, QStringList({"作業状態読み込み(&O)", "-", "名前を付けて作業状態を保存(&N)", "上書き保存(&R)",
                                 "画像で保存(&S)", "PDFで保存(&D)", "-", "予定の読み込み(iCalendar)...",
                                 "予定の書き出し(iCalendar)...", "-", "印刷(&P)"}));
    EXPECT_EQ(f.MenuHelp->text(), QString("使い方(&H)"));
    EXPECT_EQ(f.MenuVersion->text(), QString("バージョン情報(&V)"));
    EXPECT_EQ(f.MenuTop->text(), QString("前面にする"));
    EXPECT_EQ(f.MenuBack->text(), QString("背面にする"));
    EXPECT_EQ(f.SaveDialog1.Filter, QString("iniファイル(*.ini)|*.ini"));
    EXPECT_EQ(f.SaveDialog1.DefaultExt, QString("ini"));
    EXPECT_EQ(f.OpenDialog1.DefaultExt, QString("ini"));
    EXPECT_EQ(f.OpenDialog1.InitialDir, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TEST_F(MainWindowCreate, FirstPageControlsAndInitialValues)
{
    TForm1 &f = Make(false);
    EXPECT_EQ(f.PageControl1->count(), 3);
    EXPECT_EQ(f.PageControl1->tabText(0), QString("設定1"));
    EXPECT_EQ(f.PageControl1->tabText(1), QString("設定2"));
    EXPECT_EQ(f.PageControl1->tabText(2), QString("画像/用紙"));
    // At least the usual size; taller where the installed font needs it.
    EXPECT_GE(f.PageControl1->height(), 449);

    EXPECT_EQ(f.Label9->text(), QString("表示する月:"));
    EXPECT_EQ(f.LECalendarYear->text(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(f.LECalendarMonth->text(), QString::number(QDate::currentDate().month()));
    EXPECT_EQ(f.LECalendarYear->Caption(), QString("年"));
    EXPECT_EQ(f.LECalendarMonth->Caption(), QString("月"));
    EXPECT_EQ(f.LECalendarMonths->Caption(), QString("ヶ月"));
    EXPECT_EQ(f.LECalendarMonths->text(), QString("1"));
    EXPECT_EQ(f.Label1->text(), QString("から"));
    EXPECT_EQ(f.Label2->text(), QString("(1～12)"));
    EXPECT_EQ(f.Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f.BtnOK->text(), QString("OK"));
    EXPECT_EQ(f.CheckBoxSameSize->text(), QString("すべて同サイズにする"));
    EXPECT_FALSE(f.CheckBoxSameSize->isChecked());
    EXPECT_EQ(f.PanelFont->title(), QString("フォント:"));
    EXPECT_EQ(f.BtnCalendarFont->text(), QString("変更"));
    EXPECT_FALSE(f.LblFontName->text().isEmpty());
    EXPECT_EQ(f.PanelCalendarBackColor->title(), QString("カレンダーの背景色:"));
    EXPECT_EQ(f.PanelYearMonthBackColor->title(), QString("月の背景色:"));
    EXPECT_EQ(f.CheckBoxSameBackColor->text(), QString("カレンダーの背景色と同色にする"));
    EXPECT_FALSE(f.CheckBoxSameBackColor->isChecked());
    EXPECT_EQ(f.PanelAlphaBlend->title(), QString("背景の透明度:"));
    EXPECT_EQ(f.PanelHolidayTextColor->title(), QString("休日の文字色:"));
    EXPECT_EQ(f.PanelDayTextColor->title(), QString("平日の文字色:"));

    EXPECT_EQ(f.ColorBoxCalendarBackColor->Selected(), clSkyBlue);
    EXPECT_EQ(f.ColorBoxYearMonthBackColor->Selected(), clMoneyGreen);
    EXPECT_EQ(f.ColorBoxHolidayTextColor->Selected(), clRed);
    EXPECT_EQ(f.ColorBoxDayTextColor->Selected(), clBlack);
    EXPECT_EQ(f.ColorBoxPaperColor->Selected(), clRed);
    EXPECT_EQ(f.TrackBarAlphaBlend->minimum(), 0);
    EXPECT_EQ(f.TrackBarAlphaBlend->maximum(), 255);
    EXPECT_EQ(f.TrackBarAlphaBlend->singleStep(), 10);
    EXPECT_EQ(f.TrackBarAlphaBlend->tickInterval(), 10);
    EXPECT_EQ(f.TrackBarAlphaBlend->value(), 220);

    // Before the first showing every apply-to list holds its design item
    // under the placeholder, nothing chosen.
    for (QComboBox *list : f.TekiyoLists()) {
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->placeholderText(), QString("適用月"));
        EXPECT_EQ(list->count(), 1);
        EXPECT_EQ(list->itemText(0), QString("すべて"));
        EXPECT_EQ(list->currentIndex(), -1);
    }
}

TEST_F(MainWindowCreate, SecondAndThirdPageControls)
{
    TForm1 &f = Make(false);
    EXPECT_EQ(Captions(f.RadioGroupFirstDayOfWeek), kWeekdays);
    EXPECT_EQ(f.RadioGroupFirstDayOfWeek->Columns(), 4);
    EXPECT_EQ(f.RadioGroupFirstDayOfWeek->ItemIndex(), 0);
    EXPECT_EQ(Texts(f.CheckListBoxHoliday), kWeekdays);
    EXPECT_EQ(Texts(f.CheckListBoxHolidayPartOf), kWeekdays);
    EXPECT_EQ(Texts(f.CheckListBoxHolidayNumberOf), QStringList({"第一", "第二", "第三", "第四", "第五"}));
    EXPECT_EQ(f.RadioGroupMonthMode->Count(), 7);
    EXPECT_EQ(f.RadioGroupMonthMode->ItemIndex(), 0);
    EXPECT_EQ(Captions(f.RadioGroupWeekDayMode), QStringList({"\"日\"", "\"Sun\""}));
    EXPECT_EQ(f.RadioGroupWeekDayMode->ItemIndex(), 0);
    EXPECT_EQ(f.CheckBoxShowRokuyo->text(), QString("六曜/二十四節季を表示する"));
    EXPECT_TRUE(f.CheckBoxShowRokuyo->isChecked());
    EXPECT_EQ(f.CheckBoxIsHoliday->text(), QString("休日"));
    EXPECT_EQ(f.RadioGroupMark->title(), QString("マーク"));
    EXPECT_EQ(Captions(f.RadioGroupMark), QStringList({"なし", "○", "□", "△", "X"}));
    EXPECT_EQ(f.RadioGroupMark->ItemIndex(), 0);
    EXPECT_EQ(f.LESchedule->toolTip(), QString("入力してから[Enter]キーを押すとカレンダーに書き込まれます。"));
    EXPECT_EQ(f.Label10->text(), QString("入力してから[Enter]キーを押すとカレンダーに書きこまれます。"));

    EXPECT_EQ(f.PanelPicture->title(), QString("画像"));
    EXPECT_EQ(f.BtnAddPicture->text(), QString("画像追加"));
    EXPECT_EQ(f.BtnDeletePicture->text(), QString("画像削除"));
    EXPECT_EQ(f.BtnLoadPicture->text(), QString("画像変更"));
    EXPECT_EQ(f.PanelPaper->title(), QString("用紙"));
    EXPECT_EQ(f.RadioGroupHoko->title(), QString("向き"));
    EXPECT_EQ(Captions(f.RadioGroupHoko), QStringList({"縦", "横"}));
    EXPECT_EQ(f.RadioGroupHoko->ItemIndex(), 0);
}

TEST_F(MainWindowCreate, EditorStateAfterCreation)
{
    TForm1 &f = Make(false);
    EXPECT_TRUE(f.IsStart);
    EXPECT_FALSE(f.IsLoadingFile);
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_EQ(f.CalendarCount(), 1);
    EXPECT_EQ(f.CalendarBackColor(), clWhite);
    EXPECT_EQ(f.CalendarPanelColor(), clMoneyGreen);
    EXPECT_EQ(f.CurrentPanelWidth(), 400);
    EXPECT_EQ(f.CurrentPanelHeight(), 560);
    EXPECT_EQ(f.ImgCount(), 1);
    ASSERT_EQ(f.ImgPicture.size(), 1);
    EXPECT_EQ(f.ImgPicture[0], f.Image1);
    EXPECT_EQ(f.Image1->geometry(), QRect(0, 0, 385, 280));
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);
    EXPECT_EQ(f.Folda, QCoreApplication::applicationDirPath());
    ASSERT_EQ(f.ImageFileName().size(), 1);
    EXPECT_EQ(f.ImageFileName()[0], f.Folda + "/Data/fukurouoyako_fm.jpg");
    EXPECT_EQ(f.HolidayTextColor(1), 255);
    for (int n = 2; n <= 12; ++n)
        EXPECT_EQ(f.HolidayTextColor(n), 0) << n;
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(f.CalForm[n], nullptr);
        EXPECT_EQ(f.ABackForm[n], nullptr);
    }
    // Era starts, newest first.
    const QDate eras[] = {{2019, 5, 1}, {1989, 1, 1}, {1926, 12, 1}, {1912, 7, 1}, {1868, 1, 1}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ValueToDate(EraStartDate[i]), eras[i]) << i;
    // The month-style captions already show the current month.
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(0), "\"" + Today("yyyy") + "年" + Today("M") + "月\"");
}

TEST_F(MainWindowCreate, HelpTextHasSevenLines)
{
    TForm1 &f = Make(false);
    const QStringList lines = f.LblHelp->text().split("\r\n");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QString("[カレンダー/画像のサイズ変更]"));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(lines[i].startsWith(QChar(0x3000))) << i;
    EXPECT_EQ(lines[4], QString("[カレンダーの移動]　月の部分をドラッグ"));
    EXPECT_EQ(lines[5], QString("[画像の移動]　画像をドラッグ"));
    EXPECT_EQ(lines[6], QString("カレンダーの日にちをダブルクリックすると予定を書きこめます。"));
    EXPECT_GE(f.LblHelp->width(), 310);
    EXPECT_EQ(f.LblHelp->height(), 115);
}

TEST_F(MainWindowCreate, FirstRunCreatesDataFolderAndKeepsDefaults)
{
    const QString data = home.path() + "/Documents/Norte/TamarieData";
    ASSERT_FALSE(QDir(data).exists());
    TForm1 &f = Make(false);
    EXPECT_EQ(QDir::cleanPath(f.DataFolda), QDir::cleanPath(data));
    EXPECT_TRUE(QDir(data).exists());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(f.CheckListBoxHoliday->Checked(i), i == 0 || i == 6) << i;
    for (int i = 0; i < 7; ++i)
        EXPECT_FALSE(f.CheckListBoxHolidayPartOf->Checked(i));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(f.CheckListBoxHolidayNumberOf->Checked(i));
    EXPECT_EQ(f.DayData.ScheduleCount(), 0);
    EXPECT_EQ(f.DayData.PersonalHolidayValueCount(), 0);
}

TEST_F(MainWindowCreate, SettingsFileOverridesOnlyTheKeysItHas)
{
    const QString data = home.path() + "/Documents/Norte/TamarieData";
    ASSERT_TRUE(QDir().mkpath(data));
    QFile ini(data + "/Config.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Calendar]\r\nHolidayOfWeek0=0\r\nHolidayOfWeekPartOf3=1\r\nHolidayOfWeekNumberOf1=1\r\n"
              "[Schedule]\r\nCount=1\r\n[ScheduleDate]\r\n0=2025/03/15\r\n[ScheduleStr]\r\n0=abc\r\n"
              "[ScheduleMarkNo]\r\n0=2\r\n");
    ini.close();
    TForm1 &f = Make(false);
    // Only Sunday's key is present: Saturday keeps its default tick.
    EXPECT_FALSE(f.CheckListBoxHoliday->Checked(0));
    EXPECT_TRUE(f.CheckListBoxHoliday->Checked(6));
    EXPECT_TRUE(f.CheckListBoxHolidayPartOf->Checked(3));
    EXPECT_TRUE(f.CheckListBoxHolidayNumberOf->Checked(1));
    ASSERT_EQ(f.DayData.ScheduleCount(), 1);
    EXPECT_EQ(ValueToDate(f.DayData.Schedule()[0].Date), QDate(2025, 3, 15));
    EXPECT_EQ(f.DayData.Schedule()[0].Str, QString("abc"));
    EXPECT_EQ(f.DayData.Schedule()[0].MarkNo, 2);
}

TEST_F(MainWindowCreate, WeekdayListClicksReachTheDayData)
{
    TForm1 &f = Make(false);
    f.CheckListBoxHolidayPartOf->Item(2)->click();
    EXPECT_TRUE(f.DayData.Weekdays.HolidayOfWeekPartOf[2]);
    f.CheckListBoxHoliday->Item(0)->click();
    EXPECT_FALSE(f.DayData.Weekdays.HolidayOfWeek[0]);
}

using FirstShowing = EditorTest;

TEST_F(FirstShowing, EndsStartUpWithCalendarOneOverTheLowerHalf)
{
    TForm1 &f = Make();
    EXPECT_FALSE(f.IsStart);
    EXPECT_TRUE(f.isMaximized());
    ASSERT_NE(f.CalForm[1], nullptr);
    ASSERT_NE(f.ABackForm[1], nullptr);
    EXPECT_EQ(f.CalForm[2], nullptr);
    EXPECT_TRUE(f.CalForm[1]->isVisible());
    EXPECT_TRUE(f.ABackForm[1]->isVisible());
    EXPECT_EQ(f.CalForm[1]->Tag(), 1);
    EXPECT_EQ(f.ABackForm[1]->Tag(), 1);

    // The paper is the one every resize layout gives this client area.
    const int cw = f.ClientWidth(), ch = f.ClientHeight();
    EXPECT_GE(f.PanelConfig->width(), 313);
    EXPECT_EQ(f.PanelConfig->x(), cw - f.PanelConfig->width() - 10);
    const QSize paper = ResizePaperLayout(QSize(cw, ch), f.PanelConfig->width(), PaperOrientation::Portrait).paper;
    const int pw = paper.width(), ph = paper.height();
    EXPECT_EQ(f.Panel1->size(), QSize(pw, ph));
    EXPECT_EQ(f.CurrentPanelWidth(), pw);
    EXPECT_EQ(f.CurrentPanelHeight(), ph);
    EXPECT_EQ(f.Image1->geometry(), QRect(6, 0, pw - 15, ph / 2));

    // Calendar 1 across the lower half of the paper, its backing window behind.
    TplCalendarForm *cal = f.CalForm[1];
    EXPECT_EQ(cal->size(), QSize(pw - 15, ph / 2 - 20));
    EXPECT_EQ(cal->pos(), ClientToScreen(QPoint(f.Panel1->x(), ph / 2 + 5)) + QPoint(8, 0));
    EXPECT_EQ(f.ABackForm[1]->geometry(), cal->frameGeometry());

    EXPECT_EQ(f.CalendarBackColor(), clSkyBlue);
    EXPECT_EQ(cal->Color(), clSkyBlue);
    EXPECT_EQ(cal->TransparentColorValue(), clSkyBlue);
    EXPECT_EQ(cal->Calendar->Color(), clSkyBlue);
    EXPECT_EQ(f.ABackForm[1]->Color(), clSkyBlue);
    EXPECT_EQ(f.ABackForm[1]->AlphaBlendValue(), 220);
    EXPECT_EQ(cal->Panel->Color(), clMoneyGreen);
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
}

TEST_F(FirstShowing, CalendarOneShowsTheCurrentMonthWithItsOwnTitle)
{
    TForm1 &f = Make();
    const TplCalendarForm *cal = f.CalForm[1];
    EXPECT_EQ(cal->Calendar->Year(), QDate::currentDate().year());
    EXPECT_EQ(cal->Calendar->Month(), QDate::currentDate().month());
    EXPECT_EQ(cal->Calendar->Day(), 1);
    // No month title is written at start: the window keeps its own.
    EXPECT_EQ(cal->Panel->Caption(), Today("yyyy") + "年 " + Today("M") + "月");
    // The calendars' font follows calendar 1's grid, in the interface face.
    EXPECT_TRUE(f.Doc().settings.font.followsCalendar1);
    EXPECT_EQ(cal->Calendar->font().family(), f.LblFontName->text());
    EXPECT_EQ(cal->Panel->font().family(), f.LblFontName->text());
    EXPECT_EQ(f.CalendarFontFace().family(), f.LblFontName->text());
}

TEST_F(FirstShowing, ApplyToListsNameTheCurrentMonth)
{
    TForm1 &f = Make();
    for (QComboBox *list : f.TekiyoLists()) {
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(0), QString("すべての月"));
        EXPECT_EQ(list->itemText(1), Today("yyyy/MM"));
        EXPECT_EQ(list->currentIndex(), 1);
    }
    EXPECT_EQ(f.ScheduleFormNo, 1);
    EXPECT_EQ(ValueToDate(f.TempScheduleDate), QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
}

TEST_F(FirstShowing, ClickOnTheWindowSurfaceFocusesTheSettingsPages)
{
    TForm1 &f = Make();
    f.activateWindow();
    f.LECalendarYear->setFocus();
    f.FormClick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.PageControl1->hasFocus() || QApplication::focusWidget() == f.PageControl1 ||
                f.PageControl1->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(FirstShowing, ClosingHidesTheCalendarPairs)
{
    TForm1 &f = Make();
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.CalForm[1]->isVisible());
    EXPECT_FALSE(f.ABackForm[1]->isVisible());
}
