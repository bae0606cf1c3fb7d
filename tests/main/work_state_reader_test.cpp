// Reading work-state files: a hand-typed file applied value by value, fewer
// and more calendars, translucency, the older photo layout, fonts, the paper
// beside the settings panel, bad input and the round trip.
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QImage>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>

#include "font_record.h"
#include "photo_decoder.h"
#include "work_state_fixture.h"

namespace tamarie::testing {
namespace {

// Three calendars from 2024-11-30, typed from the tables.
const char *const kThreeCalendars =
    "[Form1]\n"
    "IsMaximized=1\n"
    "[Panel]\n"
    "Left=0\n"
    "Top=0\n"
    "Width=300\n"
    "Height=420\n"
    "[Hoko]\n"
    "Value=0\n"
    "[Calendar]\n"
    "Month=2024/11/30\n"
    "Months=3\n"
    "BackColor=16777215\n"
    "BackColor_1=1122867\n"
    "BackColor_2=4478310\n"
    "BackColor_3=7833753\n"
    "Transparent1=0\n"
    "Transparent2=1\n"
    "Transparent3=0\n"
    "PanelColor=65535\n"
    "PanelColor_1=255\n"
    "PanelColor_2=65280\n"
    "PanelColor_3=16711680\n"
    "AlphaBlendValue=120\n"
    "AlphaBlendValue_1=90\n"
    "AlphaBlendValue_2=200\n"
    "AlphaBlendValue_3=0x1F0\n"
    "HolidayTextColor=32768\n"
    "HolidayTextColor1=128\n"
    "HolidayTextColor2=32896\n"
    "HolidayTextColor3=8388608\n"
    "DayTextColor=8421504\n"
    "DayTextColor1=1\n"
    "DayTextColor2=2\n"
    "DayTextColor3=3\n"
    "StartOfWeek=1\n"
    "MonthMode=3\n"
    "WeekDayMode=1\n"
    "ShowRokuyo=0\n"
    "SameSize=1\n"
    "Count=3\n"
    "[CalForm1]\n"
    "Left=40\n"
    "Top=50\n"
    "Width=210\n"
    "Height=160\n"
    "[CalForm2]\n"
    "Left=60\n"
    "Top=70\n"
    "Width=220\n"
    "Height=170\n"
    "[CalForm3]\n"
    "Left=80\n"
    "Top=90\n"
    "Width=230\n"
    "Height=180\n"
    "[Image]\n"
    "Count=0\n"
    "[Paper]\n"
    "Color=12639424\n";

TCalendarFontRecord Record(const QString &name, int size, std::uint8_t style, TColorValue color)
{
    return TCalendarFontRecord{name, kShiftJisCharset, size, style, color};
}

QString InstalledFace()
{
    const QStringList families = QFontDatabase::families();
    return families.isEmpty() ? QString() : families.first();
}

class WorkStateReader : public WorkStateTest {
protected:
    QDate MonthOf(TForm1 &f, int n) const { return ValueToDate(f.CalForm[n]->Calendar->CalendarDate()); }
};

TEST_F(WorkStateReader, HandTypedFileAppliesEveryValue)
{
    TForm1 &f = Make();
    const QString path = PathOf("typed.ini");
    WriteCp932(path, kThreeCalendars);
    Open(f, path);

    EXPECT_FALSE(f.IsLoadingFile);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("typed-タマリエ"));
    EXPECT_EQ(f.CurrentIniFile, path);
    EXPECT_EQ(f.LECalendarYear->text(), "2024");
    EXPECT_EQ(f.LECalendarMonth->text(), "11");
    EXPECT_EQ(f.LECalendarMonths->text(), "3");
    EXPECT_EQ(f.CalendarBackColor(), 16777215);
    EXPECT_EQ(f.ColorBoxCalendarBackColor->Selected(), 16777215);
    EXPECT_EQ(f.CalendarPanelColor(), 65535);
    EXPECT_EQ(f.ColorBoxYearMonthBackColor->Selected(), 65535);
    EXPECT_EQ(f.TrackBarAlphaBlend->value(), 120);
    EXPECT_EQ(f.ColorBoxHolidayTextColor->Selected(), 32768);
    EXPECT_EQ(f.ColorBoxDayTextColor->Selected(), 8421504);
    EXPECT_EQ(f.RadioGroupFirstDayOfWeek->ItemIndex(), 1);
    EXPECT_EQ(f.RadioGroupMonthMode->ItemIndex(), 3);
    EXPECT_EQ(f.RadioGroupWeekDayMode->ItemIndex(), 1);
    EXPECT_FALSE(f.CheckBoxShowRokuyo->isChecked());
    EXPECT_TRUE(f.CheckBoxSameSize->isChecked());
    EXPECT_FALSE(f.CheckBoxSameBackColor->isChecked());
    EXPECT_TRUE(f.ColorBoxYearMonthBackColor->isEnabled());
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);

    ASSERT_EQ(f.CalendarCount(), 3);
    const QRect bounds[] = {{40, 50, 210, 160}, {60, 70, 220, 170}, {80, 90, 230, 180}};
    const TColorValue back[] = {1122867, 4478310, 7833753};
    const int alpha[] = {90, 0, 0xF0};  // Transparent2 wins; only the low eight bits of 0x1F0 count
    const TColorValue panel[] = {255, 65280, 16711680};
    const TColorValue holiday[] = {128, 32896, 8388608};
    for (int n = 1; n <= 3; ++n) {
        TplCalendarForm *cal = f.CalForm[n];
        TBackForm *bf = f.ABackForm[n];
        ASSERT_TRUE(cal && bf) << n;
        EXPECT_TRUE(cal->isVisible() && bf->isVisible()) << n;
        EXPECT_EQ(cal->geometry(), bounds[n - 1]) << n;
        EXPECT_EQ(bf->geometry(), bounds[n - 1]) << n;
        EXPECT_EQ(cal->Calendar->Color(), back[n - 1]) << n;
        EXPECT_EQ(cal->Color(), back[n - 1]) << n;
        EXPECT_EQ(cal->TransparentColorValue(), back[n - 1]) << n;
        EXPECT_EQ(bf->Color(), back[n - 1]) << n;
        EXPECT_EQ(bf->AlphaBlendValue(), alpha[n - 1]) << n;
        EXPECT_EQ(cal->Panel->Color(), panel[n - 1]) << n;
        EXPECT_EQ(f.HolidayTextColor(n), holiday[n - 1]) << n;
        EXPECT_EQ(cal->Calendar->FontColor(), n) << n;
        EXPECT_FALSE(CalendarFontLoaded[n]) << n;
    }
    // 30 November, then the same day limited to the end of each month.
    EXPECT_EQ(MonthOf(f, 1), QDate(2024, 11, 30));
    EXPECT_EQ(MonthOf(f, 2), QDate(2024, 12, 30));
    EXPECT_EQ(MonthOf(f, 3), QDate(2025, 1, 30));

    EXPECT_EQ(f.ImgCount(), 0);
    EXPECT_EQ(f.SelectedImgPictureNo(), -1);
    EXPECT_EQ(f.ColorBoxPaperColor->Selected(), 12639424);
    EXPECT_EQ(f.Panel1->palette().color(QPalette::Window), ValueToColor(12639424));
    EXPECT_TRUE(f.isMaximized());
    EXPECT_EQ(f.PanelConfig->x(), f.ClientWidth() - f.PanelConfig->width() - 10);
    EXPECT_EQ(f.RadioGroupHoko->ItemIndex(), 0);
    EXPECT_EQ(f.Panel1->geometry(), QRect(0, 0, 300, 420));
    EXPECT_EQ(f.CurrentPanelWidth(), 300);
    EXPECT_EQ(f.CurrentPanelHeight(), 420);
}

TEST_F(WorkStateReader, ThreeSavedTwelveOnScreen)
{
    TForm1 &f = Make();
    Ok(f, "2025", "1", "12");
    ASSERT_EQ(f.CalendarCount(), 12);
    const QString path = PathOf("three.ini");
    WriteCp932(path, kThreeCalendars);
    Open(f, path);
    ASSERT_EQ(f.CalendarCount(), 3);
    for (int n = 4; n <= 12; ++n) {
        ASSERT_NE(f.CalForm[n], nullptr) << n;  // kept for reuse
        EXPECT_FALSE(f.CalForm[n]->isVisible()) << n;
        EXPECT_FALSE(f.ABackForm[n]->isVisible()) << n;
    }
    EXPECT_EQ(f.CalForm[3]->geometry(), QRect(80, 90, 230, 180));
    EXPECT_EQ(f.ABackForm[2]->AlphaBlendValue(), 0);
    EXPECT_EQ(f.ComboBoxFontTekiyo->count(), 4);  // "すべての月" and three months

    // And the other way: one calendar on screen, twelve in the file.
    Ok(f, "2025", "1", "1");
    QString twelve = kThreeCalendars;
    twelve.replace("Count=3", "Count=12");
    WriteCp932(path, twelve);
    Open(f, path);
    EXPECT_EQ(f.CalendarCount(), 12);
    for (int n = 1; n <= 12; ++n)
        EXPECT_TRUE(f.CalForm[n] && f.CalForm[n]->isVisible()) << n;
    EXPECT_EQ(MonthOf(f, 12), QDate(2025, 10, 30));
}

TEST_F(WorkStateReader, AbsurdSizesAndPlacesStayWithinWhatTheDesktopShows)
{
    TForm1 &f = Make();
    QString body = kThreeCalendars;
    body.replace("IsMaximized=1", "IsMaximized=0\nLeft=-99999\nTop=99999\nWidth=99999\nHeight=99999");
    body.replace(QRegularExpression("Left=\\d+"), "Left=99999");
    body.replace(QRegularExpression("Top=\\d+"), "Top=-99999");
    body.replace(QRegularExpression("Width=\\d+"), "Width=99999");
    body.replace(QRegularExpression("Height=\\d+"), "Height=99999");
    body.replace("[Image]\nCount=0\n", "[Image]\nCount=1\n[Image0]\nLeft=-99999\nWidth=99999\nHeight=99999\n");
    const QString path = PathOf("absurd.ini");
    WriteCp932(path, body);
    Open(f, path);
    ASSERT_EQ(f.CurrentIniFile, path);

    // A few screens at most: sizes up to the desktop (or the largest screen), places within two of them.
    const QRect desk = f.screen()->virtualGeometry();
    const int w = std::clamp(desk.width(), 1920, 8192);
    const int h = std::clamp(desk.height(), 1200, 8192);
    auto within = [&](const QRect &r) {
        return r.width() <= w && r.height() <= h && r.x() >= desk.x() - 2 * w && r.x() <= desk.x() + 3 * w &&
               r.y() >= desk.y() - 2 * h && r.y() <= desk.y() + 3 * h;
    };
    EXPECT_TRUE(within(f.frameGeometry())) << f.frameGeometry().width();
    // The paper may be narrowed beside the settings panel, its height then following its width.
    const QRect paper = f.Panel1->geometry();
    EXPECT_TRUE(within(QRect(paper.topLeft(), QSize(paper.width(), 0)))) << paper.width();
    EXPECT_LE(paper.height(), RoundHalfEven(paper.width() * 1.4));
    EXPECT_TRUE(within(f.ImgPicture[0]->geometry())) << f.ImgPicture[0]->width();
    for (int n = 1; n <= 3; ++n) {
        EXPECT_TRUE(within(f.CalForm[n]->geometry())) << n << " " << f.CalForm[n]->width();
        EXPECT_TRUE(within(f.ABackForm[n]->geometry())) << n;
    }
}

TEST_F(WorkStateReader, CountOutsideOneToTwelveIsClamped)
{
    TForm1 &f = Make();
    const QString path = PathOf("count.ini");
    for (const auto &[text, expected] : {std::pair{"Count=0", 1}, {"Count=-7", 1}, {"Count=13", 12},
                                         {"Count=99999999", 12}, {"Count=many", 12}}) {
        QString body = kThreeCalendars;
        body.replace("Count=3", text);
        WriteCp932(path, body);
        Open(f, path);
        // An unparsable count keeps the count on screen (12 from the step before).
        EXPECT_EQ(f.CalendarCount(), expected) << text;
        EXPECT_EQ(f.CurrentIniFile, path);
    }
}

TEST_F(WorkStateReader, OlderSinglePhotoLayoutIsReadAsItIsAndRewrittenOnSaving)
{
    TForm1 &f = Make();
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString photo = PathOf("owl.png");
    ASSERT_TRUE(picture.save(photo));
    const QString path = PathOf("old.ini");
    QString body = kThreeCalendars;
    body.replace("[Image]\nCount=0\n", QStringLiteral("[Image]\nLeft=10\nTop=20\nWidth=300\nHeight=200\nFileName=") +
                                           photo + "\n");
    WriteCp932(path, body);
    const QByteArray bytes = Bytes(path);
    Open(f, path);
    EXPECT_EQ(Bytes(path), bytes);  // opening writes nothing

    f.MenuReSaveClick();
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Image", "Count", -1), 1);
    EXPECT_EQ(ini.Keys("Image"), QStringList{"Count"});
    EXPECT_EQ(ini.ReadInteger("Image0", "Left", 0), 10);
    EXPECT_EQ(ini.ReadInteger("Image0", "Top", 0), 20);
    EXPECT_EQ(ini.ReadInteger("Image0", "Width", 0), 300);
    EXPECT_EQ(ini.ReadInteger("Image0", "Height", 0), 200);
    EXPECT_EQ(ini.ReadString("Image0", "FileName"), photo);

    ASSERT_EQ(f.ImgCount(), 1);
    EXPECT_EQ(f.ImgPicture[0]->geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(f.ImageFileName()[0], photo);
    EXPECT_EQ(f.ImgPicture[0]->PixelSize(), QSize(40, 30));
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);
}

TEST_F(WorkStateReader, PhotosAddedAndRemovedToTheFileCount)
{
    TForm1 &f = Make();
    const QString path = PathOf("photos.ini");
    QString body = kThreeCalendars;
    body.replace("[Image]\nCount=0\n", "[Image]\nCount=3\n[Image0]\nLeft=1\nTop=2\nWidth=30\nHeight=40\n"
                                       "[Image1]\nLeft=5\nTop=6\nWidth=70\nHeight=80\nFileName=\n");
    WriteCp932(path, body);
    Open(f, path);
    ASSERT_EQ(f.ImgCount(), 3);
    EXPECT_EQ(f.ImgPicture[0]->geometry(), QRect(1, 2, 30, 40));
    EXPECT_EQ(f.ImgPicture[1]->geometry(), QRect(5, 6, 70, 80));
    // Section missing: the defaults (the frame is shown a pixel at least).
    EXPECT_EQ(RectOf(f.Doc().photos[2].bounds, f.Doc().paper.layoutSize), QRect(0, 0, 0, 0));
    EXPECT_TRUE(f.ImgPicture[0]->FileName().isEmpty());
    EXPECT_TRUE(f.ImageFileName()[0].isEmpty());
    EXPECT_EQ(f.SelectedImgPictureNo(), 0);

    body.replace("Count=3", "Count=1");
    WriteCp932(path, body);
    const QStringList before = dialogs::Shown();
    Open(f, path);
    EXPECT_EQ(f.ImgCount(), 1);
    EXPECT_EQ(f.ImgPicture.size(), 1);
    // No delete question while opening, and no save question: nothing
    // changed since the file was opened.
    EXPECT_EQ(dialogs::Shown().size(), before.size() + 1);
}

TEST_F(WorkStateReader, AbsurdPhotoCountReadsTheSectionsPresent)
{
    TForm1 &f = Make();
    const QString path = PathOf("absurd.ini");
    for (const char *count : {"-3", "2000000000"}) {
        QString body = kThreeCalendars;
        body.replace("[Image]\nCount=0\n", QStringLiteral("[Image]\nCount=%1\n[Image0]\nWidth=11\n[Image1]\nWidth=12\n"
                                                          "[Image3]\nWidth=14\n")
                                               .arg(count));
        WriteCp932(path, body);
        Open(f, path);
        ASSERT_EQ(f.ImgCount(), 2) << count;  // Image0 and Image1; Image3 lies past the gap
        EXPECT_EQ(f.ImgPicture[1]->width(), 12);
    }
}

TEST_F(WorkStateReader, TransparentTwoWithAlphaTwoHundredGivesZero)
{
    TForm1 &f = Make();
    const QString path = PathOf("alpha.ini");
    WriteCp932(path, kThreeCalendars);
    Open(f, path);
    EXPECT_EQ(f.ABackForm[2]->AlphaBlendValue(), 0);
    EXPECT_EQ(f.ABackForm[1]->AlphaBlendValue(), 90);
}

TEST_F(WorkStateReader, UninstalledCommonFontIgnoredPerCalendarFontApplied)
{
    TForm1 &f = Make();
    const QString missing = QStringLiteral("ナイフォント Missing 9x");
    ASSERT_FALSE(FontFaceInstalled(missing));
    const QString path = PathOf("fonts.ini");
    WriteCp932(path, kThreeCalendars);
    ASSERT_TRUE(WriteFontRecordFile(PathOf("fonts.dat"), Record(missing, 30, kFontStyleBold, 0x0000FF)));
    ASSERT_TRUE(WriteFontRecordFile(PathOf("fonts_2.dat"), Record(missing, 11, kFontStyleItalic, 0x00FF00)));
    const QString labelBefore = f.LblFontName->text();

    Open(f, path);
    EXPECT_EQ(f.LblFontName->text(), labelBefore);
    EXPECT_NE(f.CalendarFontFace().family(), missing);
    EXPECT_NE(f.CalendarFontFace().pointSize(), 30);

    EXPECT_TRUE(CalendarFontLoaded[2]);
    EXPECT_FALSE(CalendarFontLoaded[1]);
    EXPECT_FALSE(CalendarFontLoaded[3]);
    const QFont grid = f.CalForm[2]->Calendar->font();
    const QFont title = f.CalForm[2]->Panel->font();
    EXPECT_EQ(grid.family(), missing);
    EXPECT_EQ(grid.pointSize(), 11);  // kept by the layout while loading
    EXPECT_TRUE(grid.italic());
    EXPECT_EQ(title.family(), missing);
    EXPECT_EQ(title.pointSize(), 16);  // 11 x 1.5 = 16.5, halves to even
    EXPECT_TRUE(title.italic());
    EXPECT_EQ(f.CalForm[2]->Panel->FontColor(), 0x00FF00);
    EXPECT_EQ(f.CalForm[2]->Calendar->FontColor(), 2);  // the grid keeps DayTextColor2

    // Saved again, the calendar's record keeps its face, size, style and character set.
    ASSERT_TRUE(f.SaveWorkState(path));
    const FontRecordResult again = ReadFontRecordFile(PathOf("fonts_2.dat"));
    ASSERT_EQ(again.Status, FontRecordStatus::Ok);
    EXPECT_EQ(again.Record.Name, missing);
    EXPECT_EQ(again.Record.Size, 11);
    EXPECT_EQ(again.Record.Style, kFontStyleItalic);
    EXPECT_EQ(again.Record.Charset, kShiftJisCharset);
}

TEST_F(WorkStateReader, InstalledCommonFontIsApplied)
{
    TForm1 &f = Make();
    const QString face = InstalledFace();
    if (face.isEmpty())
        GTEST_SKIP() << "no fonts installed";
    const QString path = PathOf("common.ini");
    WriteCp932(path, kThreeCalendars);
    ASSERT_TRUE(WriteFontRecordFile(PathOf("common.dat"), Record(face, 13, kFontStyleUnderline, 0x00FFFF)));
    Open(f, path);
    EXPECT_EQ(f.LblFontName->text(), face);
    EXPECT_EQ(f.LblFontName->font().family(), face);
    EXPECT_EQ(f.LblFontName->palette().color(QPalette::WindowText), ValueToColor(0x00FFFF));
    EXPECT_EQ(f.CalendarFontFace().family(), face);
    EXPECT_TRUE(f.CalendarFontFace().underline());
    // Calendars without their own file take the face from the common font.
    EXPECT_EQ(f.CalForm[3]->Calendar->font().family(), face);
    EXPECT_EQ(f.CalForm[3]->Panel->font().family(), face);
}

TEST_F(WorkStateReader, DamagedFontFilesStopOrAreIgnored)
{
    TForm1 &f = Make();
    const QString path = PathOf("bad.ini");
    WriteCp932(path, kThreeCalendars);

    // A name that is not code page 932: that record is ignored.
    QByteArray badName = EncodeFontRecord(Record("x", 12, 0, 0));
    badName[0] = 2;
    badName[1] = char(0x81);
    badName[2] = char(0x0A);
    WriteBytes(PathOf("bad_1.dat"), badName);
    Open(f, path);
    EXPECT_FALSE(CalendarFontLoaded[1]);
    EXPECT_EQ(f.CurrentIniFile, path);

    // A file shorter than a record: the message, and nothing of the file is applied.
    Ok(f, "2025", "1", "1");
    ASSERT_TRUE(f.CurrentIniFile.isEmpty());
    WriteBytes(PathOf("bad_2.dat"), QByteArray(50, '\0'));
    dialogs::ClearShown();
    Open(f, path);
    EXPECT_EQ(dialogs::Shown().last(), FontRecordErrorMessage(PathOf("bad_2.dat"), FontRecordStatus::TooShort));
    EXPECT_FALSE(f.IsLoadingFile);
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("無題-タマリエ"));
    EXPECT_EQ(f.CalendarCount(), 1);                                // nothing of the file applied
    EXPECT_NE(f.CalForm[1]->geometry(), QRect(40, 50, 210, 160));

    // A common font file that cannot be read stops before anything else.
    QFile::remove(PathOf("bad_2.dat"));
    ASSERT_TRUE(QDir().mkdir(PathOf("bad.dat")));
    dialogs::ClearShown();
    Open(f, path);
    EXPECT_EQ(dialogs::Shown().last(), FontRecordErrorMessage(PathOf("bad.dat"), FontRecordStatus::Unreadable));
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
}

TEST_F(WorkStateReader, PhotosThatCannotBeShownAreNamedOnceAndTheOpenCompletes)
{
    TForm1 &f = Make();
    const QString path = PathOf("gone.ini");
    QString body = kThreeCalendars;
    body.replace("[Image]\nCount=0\n", QStringLiteral("[Image]\nCount=2\n[Image0]\nWidth=50\nHeight=40\nFileName=") +
                                           PathOf("nowhere.jpg") + "\n[Image1]\nWidth=60\nFileName=" +
                                           PathOf("notapicture.jpg") + "\n");
    body.replace("Color=12639424", "Color=8421504");
    WriteCp932(path, body);
    WriteBytes(PathOf("notapicture.jpg"), "plain text");
    dialogs::ClearShown();
    Open(f, path);
    ASSERT_EQ(dialogs::Shown().size(), 3);  // the save question, the dialog, one message
    const QString shown = dialogs::Shown().last();
    EXPECT_TRUE(shown.contains(ProbePhoto(PathOf("nowhere.jpg")).error)) << shown.toStdString();
    EXPECT_TRUE(shown.contains(ProbePhoto(PathOf("notapicture.jpg")).error)) << shown.toStdString();
    EXPECT_FALSE(f.IsLoadingFile);
    EXPECT_EQ(f.CurrentIniFile, path);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("gone-タマリエ"));
    EXPECT_EQ(f.ImageFileName(), QStringList({PathOf("nowhere.jpg"), PathOf("notapicture.jpg")}));
    EXPECT_EQ(f.ImgPicture[0]->size(), QSize(50, 40));
    EXPECT_EQ(f.ColorBoxPaperColor->Selected(), 8421504);
}

TEST_F(WorkStateReader, AFileThatCannotBeReadLeavesArrangementCaptionAndFile)
{
    TForm1 &f = Make();
    const QString first = PathOf("first.ini");
    WriteCp932(first, kThreeCalendars);
    Open(f, first);
    ASSERT_EQ(f.CurrentIniFile, first);
    const Document before = f.Doc();
    const QRect calendar2 = f.CalForm[2]->geometry();
    // A file whose calendar font file is damaged, and one that does not exist.
    const QString second = PathOf("second.ini");
    QString body = kThreeCalendars;
    body.replace("Count=3", "Count=1");
    WriteCp932(second, body);
    WriteBytes(PathOf("second_1.dat"), "short");
    for (const QString &path : {second, PathOf("ghost.ini")}) {
        dialogs::ClearShown();
        Open(f, path);
        EXPECT_EQ(dialogs::Shown().size(), 2) << path.toStdString();  // the dialog, the message
        EXPECT_EQ(f.Doc(), before);
        EXPECT_EQ(f.CurrentIniFile, first);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("first-タマリエ"));
        EXPECT_EQ(f.CalForm[2]->geometry(), calendar2);
        EXPECT_TRUE(f.CalForm[3]->isVisible());
    }
    // Saving again writes the first file's arrangement back to it.
    const int left2 = IniFile(first).ReadInteger("CalForm2", "Left", -1);
    f.MenuReSaveClick();
    EXPECT_EQ(IniFile(first).ReadInteger("Calendar", "Count", 0), 3);
    EXPECT_EQ(IniFile(first).ReadInteger("CalForm2", "Left", 0), left2);
}

TEST_F(WorkStateReader, PaperWiderThanTheRoomBesideTheSettingsIsNarrowed)
{
    TForm1 &f = Make();
    const QString path = PathOf("wide.ini");
    for (int hoko : {0, 1}) {
        QString body = kThreeCalendars;
        body.replace("Width=300\nHeight=420", "Width=30000\nHeight=77");
        body.replace("[Hoko]\nValue=0", QStringLiteral("[Hoko]\nValue=%1").arg(hoko));
        WriteCp932(path, body);
        Open(f, path);
        const int width = f.PanelConfig->x() - 5;
        EXPECT_EQ(f.Panel1->width(), width) << hoko;
        EXPECT_EQ(f.Panel1->height(), hoko == 0 ? RoundHalfEven(width * 1.4) : RoundHalfEven(width / 1.4)) << hoko;
        EXPECT_EQ(f.CurrentPanelWidth(), f.Panel1->width());
        EXPECT_EQ(f.CurrentPanelHeight(), f.Panel1->height());
    }
}

TEST_F(WorkStateReader, MonthThatDoesNotParseGivesToday)
{
    TForm1 &f = Make();
    const QString path = PathOf("date.ini");
    QString body = kThreeCalendars;
    body.replace("Month=2024/11/30", "Month=30.11.2024");
    WriteCp932(path, body);
    Open(f, path);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(MonthOf(f, 1), today);
    EXPECT_EQ(MonthOf(f, 2), today.addMonths(1));
    EXPECT_EQ(f.LECalendarYear->text(), QString::number(today.year()));
}

TEST_F(WorkStateReader, SaveOpenSaveGivesTheSameBytes)
{
    TForm1 &f = Make();
    Ok(f, "2025", "4", "3");
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    const QString photo = PathOf("写真 😀.png");  // outside code page 932: the file becomes UTF-16LE
    ASSERT_TRUE(picture.save(photo));
    ChangeDocument(f, [&](Document &d) { d.photos[0].fileName = photo; });
    f.ImgPicture[0]->setGeometry(12, 14, 160, 90);
    f.BtnAddPictureClickFrom(nullptr);
    f.CalForm[2]->setGeometry(300, 200, 250, 190);
    ChangeDocument(f, [](Document &d) {
        d.calendars[2].alpha = 0;
        d.calendars[2].panelColor = 0x123456;
    });
    const QString first = PathOf("first.ini");
    ASSERT_TRUE(SaveAs(f, first));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("first-タマリエ"));

    Open(f, first);
    ASSERT_EQ(f.CurrentIniFile, first);
    EXPECT_EQ(f.ImageFileName()[0], photo);
    EXPECT_EQ(f.ImgPicture[0]->PixelSize(), QSize(20, 10));
    const QString second = PathOf("second.ini");
    ASSERT_TRUE(SaveAs(f, second));

    EXPECT_EQ(Bytes(first), Bytes(second));
    EXPECT_EQ(Bytes(PathOf("first.dat")), Bytes(PathOf("second.dat")));
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(Bytes(PathOf(QStringLiteral("first_%1.dat").arg(n))),
                  Bytes(PathOf(QStringLiteral("second_%1.dat").arg(n))))
            << n;
}

} // namespace
} // namespace tamarie::testing
