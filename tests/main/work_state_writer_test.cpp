// Writing work-state files: keys and their order, surplus sections, font
// files, failures and encodings.
#include <QFileInfo>
#include <QFrame>

#include "work_state_fixture.h"
#include "regular_file.h"
#include <cerrno>

namespace tamarie::testing {
namespace {

class WorkStateWriter : public WorkStateTest {
protected:
    // Two calendars and one photo in a state chosen value by value.
    void Arrange(TForm1 &f)
    {
        Ok(f, "2025", "4", "2");
        // Windows placed as the window system would; the document follows.
        f.CalForm[1]->setGeometry(100, 110, 300, 200);
        f.CalForm[2]->setGeometry(420, 130, 280, 210);
        f.ImgPicture[0]->setGeometry(6, 7, 385, 280);
        QCoreApplication::processEvents();
        ChangeDocument(f, [&](Document &d) {
            d.settings.sameSize = true;
            d.settings.alpha = 200;
            d.settings.holidayColor = 0x0000FF;
            d.settings.dayTextColor = 0;
            d.settings.options.firstDayOfWeek = 1;
            d.settings.options.monthMode = 2;
            d.settings.options.weekDayMode = 1;
            d.settings.options.showAlmanac = false;
            d.paper.color = 0xF0CAA6;
            d.paper.orientation = 0;
            d.settings.backColor = 0xABCDEF;
            d.settings.panelColor = 0xC0DCC0;
            d.calendars[0].alpha = 150;
            d.calendars[1].alpha = 0;
            d.calendars[0].backColor = 0x112233;
            d.calendars[1].backColor = 0x445566;
            d.calendars[0].panelColor = 0x0000FF;
            d.calendars[1].panelColor = static_cast<TColorValue>(0xFF00000Fu);
            d.calendars[0].holidayColor = 0x0000FF;
            d.calendars[1].holidayColor = 0x008000;
            d.calendars[0].dayTextColor = 0x800000;
            d.calendars[1].dayTextColor = 0;
            d.photos[0].fileName = PathOf("写真.jpg");
        });
    }
};

TEST_F(WorkStateWriter, KeysInTheirOrderAsTheTablesGiveThem)
{
    TForm1 &f = Make();
    Arrange(f);
    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(f.SaveWorkState(path));
    EXPECT_TRUE(dialogs::Shown().filter("保存に失敗").isEmpty());

    const QRect frame = f.frameGeometry();
    const QRect paper = f.Panel1->geometry();
    // Typed from the tables; only the main window's and the paper's bounds
    // come from the window as it is.
    const QString golden = QStringLiteral(
        "[Form1]\n"
        "IsMaximized=%1\n"
        "Left=%2\n"
        "Top=%3\n"
        "Width=%4\n"
        "Height=%5\n"
        "[Panel]\n"
        "Left=%6\n"
        "Top=%7\n"
        "Width=%8\n"
        "Height=%9\n"
        "[Hoko]\n"
        "Value=0\n"
        "[Calendar]\n"
        "Month=2025/04/01\n"
        "Months=2\n"
        "BackColor=11259375\n"
        "BackColor_1=1122867\n"
        "BackColor_2=4478310\n"
        "Transparent1=0\n"
        "Transparent2=1\n"
        "PanelColor=12639424\n"
        "PanelColor_1=255\n"
        "PanelColor_2=-16777201\n"
        "AlphaBlendValue=200\n"
        "AlphaBlendValue_1=150\n"
        "AlphaBlendValue_2=0\n"
        "HolidayTextColor=255\n"
        "HolidayTextColor1=255\n"
        "HolidayTextColor2=32768\n"
        "DayTextColor=0\n"
        "DayTextColor1=8388608\n"
        "DayTextColor2=0\n"
        "StartOfWeek=1\n"
        "MonthMode=2\n"
        "WeekDayMode=1\n"
        "ShowRokuyo=0\n"
        "SameSize=1\n"
        "Count=2\n"
        "[CalForm1]\n"
        "Left=100\n"
        "Top=110\n"
        "Width=300\n"
        "Height=200\n"
        "[CalForm2]\n"
        "Left=420\n"
        "Top=130\n"
        "Width=280\n"
        "Height=210\n"
        "[Image]\n"
        "Count=1\n"
        "[Image0]\n"
        "Left=6\n"
        "Top=7\n"
        "Width=385\n"
        "Height=280\n"
        "FileName=%10\n"
        "[Paper]\n"
        "Color=15780518\n")
        .arg(f.isMaximized() ? 1 : 0)
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height())
        .arg(paper.x())
        .arg(paper.y())
        .arg(paper.width())
        .arg(paper.height())
        .arg(PathOf("写真.jpg"));
    QString crlf = golden;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    const auto expected = EncodeCp932(crlf);
    ASSERT_TRUE(expected.has_value());
    const QByteArray actual = Bytes(path);
    EXPECT_EQ(actual, *expected) << DecodeCp932(actual).toStdString();
}

TEST_F(WorkStateWriter, FontFilesBesideTheIniFile)
{
    TForm1 &f = Make();
    Arrange(f);
    ChangeDocument(f, [](Document &d) {
        DocumentCalendar &c = d.calendars[1];
        c.titleFont.setFamily(QStringLiteral("Tahoma"));
        c.titleFont.setItalic(true);
        c.titlePoints = 21;
        c.titleColor = 0x00FF00;
        c.gridPoints = 14;
    });

    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(f.SaveWorkState(path));
    for (const char *name : {"plan.dat", "plan_1.dat", "plan_2.dat"})
        EXPECT_EQ(QFileInfo(PathOf(name)).size(), 116) << name;
    EXPECT_FALSE(QFileInfo::exists(PathOf("plan_3.dat")));

    const QByteArray b = Bytes(PathOf("plan_2.dat"));
    ASSERT_EQ(b.size(), 116);
    EXPECT_EQ(uchar(b[0]), 6);
    EXPECT_EQ(b.mid(1, 6), QByteArray("Tahoma"));
    EXPECT_EQ(b.mid(104, 4), QByteArray("\x0E\x00\x00\x00", 4));  // the grid's 14 points, not the title's 21
    EXPECT_EQ(uchar(b[108]), 2);                                  // italic
    EXPECT_EQ(b.mid(112, 4), QByteArray("\x00\xFF\x00\x00", 4)); // the title's colour

    // The common font: calendar 1's grid font until a font is chosen, in the
    // weekday text colour.
    const QByteArray p = Bytes(PathOf("plan.dat"));
    ASSERT_EQ(p.size(), 116);
    const QByteArray face = *EncodeCp932(f.CalForm[1]->Calendar->font().family());
    EXPECT_EQ(p.mid(1, uchar(p[0])), face.left(100));
    EXPECT_EQ(p.mid(112, 4), QByteArray("\x00\x00\x80\x00", 4));
}

TEST_F(WorkStateWriter, SurplusPhotoSectionsGoUpToTheFirstGapOtherContentStays)
{
    TForm1 &f = Make();
    Arrange(f);
    f.BtnAddPictureClickFrom(nullptr);
    ASSERT_EQ(f.ImgCount(), 2);
    const QString path = PathOf("plan.ini");
    WriteCp932(path,
               "[Mine]\nnote=残す\n[Image2]\nLeft=2\n[Image3]\nLeft=3\n[Image4]\nLeft=4\n[Image6]\nLeft=6\n"
               "[CalForm9]\nLeft=9\n[Calendar]\nBackColor_9=5\n");
    ASSERT_TRUE(f.SaveWorkState(path));
    IniFile ini(path);
    for (const char *gone : {"Image2", "Image3", "Image4"})
        EXPECT_FALSE(ini.SectionExists(gone)) << gone;
    EXPECT_TRUE(ini.SectionExists("Image6"));
    EXPECT_EQ(ini.ReadInteger("CalForm9", "Left", 0), 9);
    EXPECT_EQ(ini.ReadInteger("Calendar", "BackColor_9", 0), 5);
    EXPECT_EQ(ini.ReadString("Mine", "note"), QStringLiteral("残す"));
    EXPECT_EQ(ini.ReadInteger("Image", "Count", -1), 2);
    EXPECT_EQ(ini.ReadInteger("Image1", "Width", 0), 200);
    EXPECT_EQ(ini.Sections().first(), QStringLiteral("Mine"));
}

TEST_F(WorkStateWriter, AFailureIsReportedAndLeavesTheOldFile)
{
    TForm1 &f = Make();
    Arrange(f);
    const QString path = PathOf("plan.ini");
    WriteBytes(path, "[Old]\r\nx=1\r\n");
    dialogs::ClearShown();
    {
        FileSizeLimit full(200);  // the disk fills up while the file is written
        EXPECT_FALSE(f.SaveWorkState(path));
    }
    // The fixed text, then the file and the system's reason.
    EXPECT_EQ(dialogs::Shown(), QStringList{"保存に失敗しました。\n" + path + ": " + SystemErrorText(EFBIG)});
    EXPECT_EQ(Bytes(path), QByteArray("[Old]\r\nx=1\r\n"));
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList{"plan.ini"});  // no temporary left

    // Through the command: IsSaved false, caption and current file unchanged.
    dialogs::ClearShown();
    EXPECT_FALSE(SaveAs(f, PathOf("no/such/folder/new.ini")));
    EXPECT_TRUE(dialogs::Shown().last().startsWith(QStringLiteral("保存に失敗しました。\n")));
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("無題-タマリエ"));

    // A folder where the file should be cannot even be read.
    ASSERT_TRUE(QDir().mkdir(PathOf("folder.ini")));
    dialogs::ClearShown();
    EXPECT_FALSE(f.SaveWorkState(PathOf("folder.ini")));
    EXPECT_EQ(dialogs::Shown().size(), 1);
    EXPECT_TRUE(dialogs::Shown().value(0).startsWith(QStringLiteral("保存に失敗しました。\n") + PathOf("folder.ini")));
}

TEST_F(WorkStateWriter, FontFileThatCannotBeWrittenFailsTheSave)
{
    TForm1 &f = Make();
    Arrange(f);
    ASSERT_TRUE(QDir().mkdir(PathOf("plan_2.dat")));  // a folder where calendar 2's file belongs
    dialogs::ClearShown();
    EXPECT_FALSE(f.SaveWorkState(PathOf("plan.ini")));
    EXPECT_EQ(dialogs::Shown(), QStringList{"保存に失敗しました。\n" + PathOf("plan_2.dat") + ": " + SystemErrorText(EISDIR)});
    EXPECT_TRUE(QFileInfo::exists(PathOf("plan.ini")));  // what was written before stays
    // The font files are replaced together or not at all.
    EXPECT_FALSE(QFileInfo::exists(PathOf("plan.dat")));
    EXPECT_FALSE(QFileInfo::exists(PathOf("plan_1.dat")));
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList{"plan.ini"});
}

TEST_F(WorkStateWriter, PathOutsideTheCodePageSwitchesTheFileToUtf16)
{
    TForm1 &f = Make();
    Arrange(f);
    const QString photo = PathOf("사진 😀.png");
    ChangeDocument(f, [&](Document &d) { d.photos[0].fileName = photo; });
    const QString path = PathOf("plan.ini");
    ASSERT_TRUE(f.SaveWorkState(path));
    const QByteArray b = Bytes(path);
    ASSERT_GE(b.size(), 2);
    EXPECT_EQ(b.left(2), QByteArray("\xFF\xFE"));
    EXPECT_EQ(IniFile(path).ReadString("Image0", "FileName"), photo);
}

} // namespace
} // namespace tamarie::testing
