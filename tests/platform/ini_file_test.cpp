#include "ini_file.h"
#include "ini_update.h"

#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tamarie;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const QString &name = "t.ini") const { return dir_.path() + "/" + name; }
    QTemporaryDir dir_;
};

IniFile Parsed(const QByteArray &bytes)
{
    IniFile ini;
    ini.Parse(bytes);
    return ini;
}

} // namespace

// ---- names and layout ----------------------------------------------------------

TEST(IniSemantics, NamesMatchWithoutCase)
{
    IniFile ini = Parsed("[Calendar]\r\nHolidayOfWeek0=1\r\n");
    EXPECT_EQ(ini.ReadString("calendar", "holidayofweek0"), "1");
    EXPECT_EQ(ini.ReadString("CALENDAR", "HOLIDAYOFWEEK0"), "1");
    EXPECT_TRUE(ini.SectionExists("cAlEnDaR"));
    EXPECT_TRUE(ini.ValueExists("Calendar", "holidayOfWeek0"));
    EXPECT_FALSE(ini.ValueExists("Calendar", "HolidayOfWeek1"));
    EXPECT_EQ(ini.ReadString("Calendar", "HolidayOfWeek1", "dflt"), "dflt");
}

TEST(IniSemantics, WriteReplacesInPlace)
{
    IniFile ini = Parsed("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
    ini.WriteString("a", "X", "9");
    EXPECT_EQ(ini.Serialize(), QByteArray("[A]\r\nx=9\r\ny=2\r\n[B]\r\nz=3\r\n"));
}

TEST(IniSemantics, NewKeyIsAppendedToItsSection)
{
    IniFile ini = Parsed("[A]\r\nx=1\r\n\r\n[B]\r\nz=3\r\n");
    ini.WriteString("A", "w", "5");
    ini.WriteString("B", "v", "6");
    EXPECT_EQ(ini.Serialize(), QByteArray("[A]\r\nx=1\r\nw=5\r\n\r\n[B]\r\nz=3\r\nv=6\r\n"));
}

TEST(IniSemantics, NewSectionGoesAtTheEnd)
{
    IniFile ini = Parsed("; comment\r\n[A]\r\nx=1\r\n");
    ini.WriteString("C", "k", "v");
    ini.WriteString("A", "y", "2");
    EXPECT_EQ(ini.Serialize(), QByteArray("; comment\r\n[A]\r\nx=1\r\ny=2\r\n[C]\r\nk=v\r\n"));
    EXPECT_EQ(ini.Sections(), QStringList({"A", "C"}));
    EXPECT_EQ(ini.Keys("a"), QStringList({"x", "y"}));
}

TEST(IniSemantics, EraseKeyAndSection)
{
    IniFile ini = Parsed("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\nq=4\r\n");
    ini.EraseKey("a", "X");
    ini.EraseSection("b");
    EXPECT_EQ(ini.Serialize(), QByteArray("[A]\r\ny=2\r\n[C]\r\nq=4\r\n"));
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.ReadString("C", "q"), "4");
    ini.EraseSection("missing"); // nothing to do
    ini.EraseKey("missing", "x");
    EXPECT_EQ(ini.Serialize(), QByteArray("[A]\r\ny=2\r\n[C]\r\nq=4\r\n"));
}

TEST(IniSemantics, BlanksAroundNamesAndValuesAreIgnored)
{
    IniFile ini = Parsed("  [ Sec ]  \n  key  =  value with inner blanks  \n");
    EXPECT_EQ(ini.ReadString("Sec", "key"), "value with inner blanks");
}

TEST(IniSemantics, DuplicatesReadTheFirstAndWriteThere)
{
    IniFile ini = Parsed("[A]\r\nk=first\r\nk=second\r\n[B]\r\nb=1\r\n[a]\r\nk=third\r\nm=only here\r\n");
    EXPECT_EQ(ini.ReadString("A", "k"), "first");
    EXPECT_EQ(ini.ReadString("A", "m"), "only here"); // a repeated section still holds keys
    ini.WriteString("A", "k", "new");
    ini.WriteString("A", "m", "changed");
    EXPECT_EQ(ini.ReadString("A", "k"), "new");
    EXPECT_EQ(ini.ReadString("A", "m"), "changed");
    EXPECT_EQ(ini.Serialize(),
              QByteArray("[A]\r\nk=new\r\nk=second\r\n[B]\r\nb=1\r\n[a]\r\nk=third\r\nm=changed\r\n"));
}

TEST(IniSemantics, LinesWithoutKeysAreKept)
{
    const QByteArray text = "junk before\r\n[A]\r\n; note=not a key\r\nplain line\r\nx=1\r\n";
    IniFile ini = Parsed(text);
    EXPECT_FALSE(ini.ValueExists("A", "; note"));
    EXPECT_EQ(ini.Keys("A"), QStringList({"x"}));
    ini.WriteString("A", "x", "1");
    EXPECT_EQ(ini.Serialize(), text);
}

// ---- values ---------------------------------------------------------------------

TEST(IniValues, ReadBackAtMost2047Characters)
{
    IniFile ini;
    ini.WriteString("S", "long", QString(3000, u'あ'));
    EXPECT_EQ(ini.ReadString("S", "long"), QString(2047, u'あ'));
    ini.WriteString("S", "exact", QString(2047, u'x'));
    EXPECT_EQ(ini.ReadString("S", "exact").size(), 2047);
    // A character outside the basic plane is not cut in half at the limit.
    const QString sushi = QString::fromUtf8("🍣");
    ini.WriteString("S", "pair", QString(2046, u'x') + sushi + "tail");
    EXPECT_EQ(ini.ReadString("S", "pair"), QString(2046, u'x'));
}

TEST(IniValues, Integers)
{
    EXPECT_EQ(ParseIniInteger(u"12"), 12);
    EXPECT_EQ(ParseIniInteger(u"-5"), -5);
    EXPECT_EQ(ParseIniInteger(u"+7"), 7);
    EXPECT_EQ(ParseIniInteger(u" 42 "), 42);
    EXPECT_EQ(ParseIniInteger(u"0x1F"), 31);
    EXPECT_EQ(ParseIniInteger(u"0XfF"), 255);
    EXPECT_EQ(ParseIniInteger(u"0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseIniInteger(u"16777215"), 16777215);
    EXPECT_EQ(ParseIniInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseIniInteger(u"-2147483648"), INT32_MIN);
    for (const char16_t *bad : {u"", u"-", u"12abc", u"1 2", u"0x", u"0x1G", u"0x123456789", u"2147483648",
                                u"-2147483649", u"99999999999999999999", u"1.5", u"abc"})
        EXPECT_FALSE(ParseIniInteger(bad).has_value()) << QString::fromUtf16(bad).toStdString();

    IniFile ini = Parsed("[S]\r\na=0x10\r\nb=oops\r\nc=\r\nt=1\r\nf=0\r\nn=2\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "b", 77), 77);
    EXPECT_EQ(ini.ReadInteger("S", "c", 77), 77);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -3), -3);
    EXPECT_TRUE(ini.ReadBool("S", "t", false));
    EXPECT_FALSE(ini.ReadBool("S", "f", true));
    EXPECT_TRUE(ini.ReadBool("S", "n", false)); // any non-zero number
    EXPECT_TRUE(ini.ReadBool("S", "b", true));  // unparsable: the default
}

TEST(IniValues, BooleansColoursAndIntegersAsWritten)
{
    IniFile ini;
    ini.WriteBool("S", "t", true);
    ini.WriteBool("S", "f", false);
    ini.WriteColor("S", "white", clWhite);
    ini.WriteColor("S", "system", static_cast<TColorValue>(0xFF00000F));
    ini.WriteInteger("S", "neg", -12);
    EXPECT_EQ(ini.Serialize(), QByteArray("[S]\r\nt=1\r\nf=0\r\nwhite=16777215\r\nsystem=-16777201\r\nneg=-12\r\n"));
    EXPECT_EQ(ini.ReadColor("S", "system", 0), static_cast<TColorValue>(0xFF00000F));
}

TEST(IniValues, Dates)
{
    // 2019-01-01 is day 43466 counted from 1899-12-30.
    EXPECT_EQ(ParseIniDate(u"2019/01/01"), 43466.0);
    EXPECT_EQ(ParseIniDate(u"2019/1/1"), 43466.0);
    EXPECT_EQ(ParseIniDate(u"1899/12/30"), 0.0);
    EXPECT_EQ(FormatIniDate(43466), "2019/01/01");
    EXPECT_EQ(FormatIniDate(0), "1899/12/30");
    EXPECT_EQ(FormatIniDate(-693593), "0001/01/01");
    EXPECT_EQ(ParseIniDate(u"0001/01/01"), -693593.0);
    for (const char16_t *bad : {u"", u"2019-01-01", u"2019/02/30", u"2019/13/01", u"2019/1", u"2019/1/1/1",
                                u"0/1/1", u"10000/1/1", u"2019/001/01", u"2019/1/1 12:00", u"x/1/1"})
        EXPECT_FALSE(ParseIniDate(bad).has_value()) << QString::fromUtf16(bad).toStdString();

    IniFile ini;
    ini.WriteDate("D", "0", 45678); // 2025-01-01 is day 45658
    EXPECT_EQ(ini.ReadString("D", "0"), "2025/01/21");
    EXPECT_EQ(ini.ReadDate("D", "0", -1), 45678.0);
    EXPECT_EQ(ini.ReadDate("D", "missing", -1), -1.0);
}

TEST(IniValues, OuterBlanksAndQuotesSurvive)
{
    IniFile ini;
    for (const QString &v : {QString("  spaced  "), QString("\"quoted\""), QString("'single'"), QString("\""),
                             QString("a\"b"), QString()}) {
        ini.WriteString("S", "k", v);
        EXPECT_EQ(Parsed(ini.Serialize()).ReadString("S", "k"), v) << v.toStdString();
    }
    // What the Windows functions wrote with quotes reads without them.
    EXPECT_EQ(Parsed("[S]\r\nk=\"abc\"\r\n").ReadString("S", "k"), "abc");
}

TEST(IniValues, LineBreaksInAValueCannotAddKeys)
{
    IniFile ini;
    ini.WriteString("Schedule", "Count", "1");
    ini.WriteString("ScheduleStr", "0", "a\r\n[Schedule]\r\nCount=99999");
    const IniFile back = Parsed(ini.Serialize());
    EXPECT_EQ(back.ReadInteger("Schedule", "Count", 0), 1);
    EXPECT_EQ(back.Keys("ScheduleStr").size(), 1);
}

// ---- encodings --------------------------------------------------------------------

TEST_F(IniFileTest, NewFileIsCp932WithCrLf)
{
    IniFile ini(Path());
    ini.WriteString("ScheduleStr", "0", "予定");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[ScheduleStr]\r\n0=\x97\x5C\x92\xE8\r\n"));
    EXPECT_EQ(IniFile(Path()).ReadString("schedulestr", "0"), "予定");
}

TEST_F(IniFileTest, ReadsUtf16AndUtf8FilesAndKeepsTheirEncoding)
{
    const QString text = "[S]\r\nk=写真\r\n";
    WriteAll(Path("u16.ini"), QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(text.utf16()),
                                                                     text.size() * 2));
    WriteAll(Path("u8.ini"), "\xEF\xBB\xBF" + text.toUtf8());
    for (const QString &name : {QString("u16.ini"), QString("u8.ini")}) {
        IniFile ini(Path(name));
        EXPECT_EQ(ini.ReadString("S", "k"), "写真") << name.toStdString();
        ini.WriteString("S", "k2", "追加");
        ASSERT_TRUE(ini.Save());
        const QByteArray bytes = ReadAll(Path(name));
        EXPECT_EQ(bytes.left(2), name == "u16.ini" ? QByteArray("\xFF\xFE") : QByteArray("\xEF\xBB"));
        const IniFile back(Path(name));
        EXPECT_EQ(back.ReadString("S", "k"), "写真");
        EXPECT_EQ(back.ReadString("S", "k2"), "追加");
    }
}

TEST_F(IniFileTest, LfFilesAreReadAndStayLf)
{
    WriteAll(Path(), "[A]\nx=1\n[B]\ny=\x82\xA0\n");
    IniFile ini(Path());
    EXPECT_EQ(ini.ReadString("B", "y"), "あ");
    ini.WriteString("A", "z", "2");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\nx=1\nz=2\n[B]\ny=\x82\xA0\n"));
}

TEST_F(IniFileTest, SwitchesToUtf16WhenCp932CannotHoldAValue)
{
    WriteAll(Path(), "[Image0]\r\nFileName=C:\\\x8E\xCA\x90\x5E\\a.jpg\r\n");
    IniFile ini(Path());
    const QString odd = QString::fromUtf8("/home/hana/☃ 寿司🍣.jpg");
    ini.WriteString("Image1", "FileName", odd);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ini.Encoding(), TextEncoding::Utf16LeBom);
    const QByteArray bytes = ReadAll(Path());
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE"));
    const IniFile back(Path());
    EXPECT_EQ(back.ReadString("Image1", "FileName"), odd);
    EXPECT_EQ(back.ReadString("Image0", "FileName"), "C:\\写真\\a.jpg");
    // Later writes keep UTF-16.
    IniFile again(Path());
    again.WriteString("Image0", "Left", "5");
    ASSERT_TRUE(again.Save());
    EXPECT_EQ(ReadAll(Path()).left(2), QByteArray("\xFF\xFE"));
}

TEST_F(IniFileTest, DamagedBytesAreKeptWhenOtherKeysChange)
{
    const QByteArray damaged = QByteArray("[S]\r\nbad=\x80\xFF\x82\r\nk=1\r\n");
    WriteAll(Path(), damaged);
    IniFile ini(Path());
    ini.WriteString("S", "k", "2");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[S]\r\nbad=\x80\xFF\x82\r\nk=2\r\n"));
}

TEST(IniDamage, StrayBytesBesideRecodedCharactersReadTheSameAfterARewrite)
{
    IniFile ini = Parsed("[S]\n,<-\xEE\xEE\xEE[-,=,\n");
    const QStringList keys = ini.Keys("S");
    ASSERT_EQ(keys.size(), 1);
    ini.WriteString("S", "other", "1");
    const IniFile back = Parsed(ini.Serialize());
    EXPECT_EQ(back.Keys("S"), QStringList({keys[0], "other"}));
    EXPECT_EQ(back.ReadString("S", keys[0]), ",");
}

// ---- saving -------------------------------------------------------------------------

TEST_F(IniFileTest, SaveReplacesTheFileAndLeavesNoTemporaryFile)
{
    WriteAll(Path(), "[A]\r\nx=1\r\n");
    IniFile ini(Path());
    ini.WriteString("A", "x", "2");
    EXPECT_TRUE(ini.Modified());
    ASSERT_TRUE(ini.Save());
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\nx=2\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"t.ini"}));
}

TEST_F(IniFileTest, UnwritablePlacesFailAndKeepTheOldFile)
{
    IniFile missingFolder(dir_.path() + "/no/such/folder/Config.ini");
    missingFolder.WriteString("A", "x", "1");
    EXPECT_FALSE(missingFolder.Save());
    QDir().mkpath(Path("a folder"));
    IniFile folderInTheWay(Path("a folder"));
    folderInTheWay.WriteString("A", "x", "1");
    EXPECT_FALSE(folderInTheWay.Save());

    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    WriteAll(Path(), "[A]\r\nx=1\r\n");
    QFile::setPermissions(Path(), QFile::ReadOwner);
    IniFile readOnly(Path());
    readOnly.WriteString("A", "x", "2");
    EXPECT_FALSE(readOnly.Save());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\nx=1\r\n"));

    const QString locked = dir_.path() + "/locked";
    QDir().mkpath(locked);
    WriteAll(locked + "/c.ini", "[A]\r\nx=1\r\n");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    IniFile inLocked(locked + "/c.ini");
    inLocked.WriteString("A", "x", "2");
    EXPECT_FALSE(inLocked.Save());
    EXPECT_EQ(ReadAll(locked + "/c.ini"), QByteArray("[A]\r\nx=1\r\n"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(IniFileTest, OversizedFileIsNotLoadedNorOverwritten)
{
    {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[A]\r\nx=1\r\n");
        ASSERT_TRUE(f.resize(kIniMaxFileSize + 1)); // sparse: costs no disk
    }
    IniFile ini;
    EXPECT_FALSE(ini.Load(Path()));
    EXPECT_FALSE(ini.ValueExists("A", "x"));
    EXPECT_TRUE(IniFile().Load(Path("missing.ini")));
}

TEST_F(IniFileTest, WriteThroughSavesEveryWrite)
{
    IniFile ini(Path());
    ini.SetWriteThrough(true);
    EXPECT_TRUE(ini.WriteInteger("A", "x", 1));
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\nx=1\r\n"));
    EXPECT_TRUE(ini.EraseKey("A", "x"));
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\n"));
}

TEST_F(IniFileTest, ProfileCallsSeeChangesMadeBehindTheirBack)
{
    profile::ForgetCachedFiles();
    EXPECT_TRUE(profile::WriteString(Path(), "A", "x", "1"));
    EXPECT_TRUE(profile::WriteString(Path(), "A", "y", "2"));
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
    EXPECT_EQ(profile::ReadInteger(Path(), "a", "Y", 0), 2);
    // Another program rewrites the file (same size, new content).
    const QString other = Path("other.ini");
    WriteAll(other, "[A]\r\nx=7\r\ny=8\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(Path()).constData()), 0);
    EXPECT_EQ(profile::ReadString(Path(), "A", "x"), "7");
    EXPECT_TRUE(profile::EraseSection(Path(), "A"));
    EXPECT_EQ(ReadAll(Path()), QByteArray());
    EXPECT_FALSE(profile::WriteString(dir_.path() + "/none/x.ini", "A", "x", "1"));
}

TEST_F(IniFileTest, ErasingWhatIsNotThereWritesNothing)
{
    EXPECT_TRUE(profile::EraseKey(Path(), "A", "x"));
    EXPECT_TRUE(profile::EraseSection(Path(), "A"));
    EXPECT_FALSE(QFile::exists(Path()));
    WriteAll(Path(), "[A]\r\nx=1\r\n");
    const FileStamp before = StampOfFile(Path());
    EXPECT_TRUE(profile::EraseKey(Path(), "A", "y"));
    EXPECT_TRUE(profile::EraseSection(Path(), "B"));
    EXPECT_EQ(StampOfFile(Path()), before);
}

TEST_F(IniFileTest, SharedUpdatesTakeTurnsAndKeepWhatTheOtherWrote)
{
    IniFileUpdate first(Path());
    ASSERT_TRUE(first.Ok());
    {
        IniFileUpdate second(Path(), 50);
        EXPECT_FALSE(second.Ok()); // the first holds the lock
    }
    first.File().WriteString("A", "x", "1");
    ASSERT_TRUE(first.Commit());
    IniFileUpdate third(Path(), 50);
    ASSERT_TRUE(third.Ok());
    third.File().WriteString("A", "y", "2");
    ASSERT_TRUE(third.Commit());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[A]\r\nx=1\r\ny=2\r\n"));
}

TEST(IniDamage, GarbageParsesWithoutTrouble)
{
    QByteArray junk;
    for (int i = 0; i < 5000; ++i)
        junk.append(char((i * 7919 + 13) % 256));
    IniFile ini = Parsed(junk + "\r\n[ZzEnd]\r\nk=v");
    EXPECT_EQ(ini.ReadString("ZzEnd", "k"), "v"); // a last line without its end still counts
    ini.WriteString("ZzEnd", "k", "w");
    EXPECT_EQ(Parsed(ini.Serialize()).ReadString("ZzEnd", "k"), "w");
}
