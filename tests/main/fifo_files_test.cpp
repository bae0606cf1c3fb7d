// FIFOs where the editor expects files: nothing writes to them, so a read
// that waited would never return; each gets its message at once.
#include "data_folder.h"
#include "font_record.h"
#include "hang_watchdog.h"
#include "regular_file.h"
#include "work_state_fixture.h"

#include <sys/stat.h>

namespace tamarie::testing {
namespace {

class FifoFiles : public WorkStateTest {
protected:
    static void MakeFifo(const QString &path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); }
    static std::string LastShown() { return dialogs::Shown().isEmpty() ? std::string() : dialogs::Shown().last().toStdString(); }
    static bool IsFifo(const QString &path)
    {
        struct stat st;
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
    }
};

TEST_F(FifoFiles, SettingsFileStartsWithDefaultsAndAStoreSaysWhy)
{
    const QString config = ConfigIniPath(DataFolder());
    ASSERT_TRUE(EnsureFolder(DataFolder()));
    MakeFifo(config);
    HangWatchdog watchdog("start-up with a FIFO as Config.ini", std::chrono::seconds(30));
    TForm1 &f = Make();
    EXPECT_TRUE(f.DayData.Weekdays.HolidayOfWeek[0]);
    dialogs::ClearShown();
    f.LESchedule->setText("x");
    f.StoreSchedules();
    EXPECT_EQ(dialogs::Shown(),
              QStringList{QDir::toNativeSeparators(config) + " に書き込めません\n" +
                          RegularFileErrorText({RegularFileStatus::NotRegular, 0})});
    EXPECT_TRUE(IsFifo(config));
}

TEST_F(FifoFiles, WorkStateAndFontFileAsFifosStopTheOpenAPhotoOneIsNamed)
{
    TForm1 &f = Make();
    HangWatchdog watchdog("opening FIFOs", std::chrono::seconds(30));

    const QString plan = PathOf("fifo.ini");
    MakeFifo(plan);
    dialogs::ClearShown();
    Open(f, plan);
    EXPECT_EQ(LastShown(), "作業状態ファイルを読み込めません。");
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_FALSE(f.IsLoadingFile);

    // A font file beside a readable work-state file.
    const QString withFont = PathOf("font.ini");
    WriteCp932(withFont, "[Calendar]\nMonths=1\n");
    MakeFifo(CommonFontFilePath(withFont));
    dialogs::ClearShown();
    Open(f, withFont);
    EXPECT_EQ(LastShown(), FontRecordErrorMessage(CommonFontFilePath(withFont), FontRecordStatus::Unreadable).toStdString());
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());

    // A photo named by the file.
    const QString photo = PathOf("photo.jpg");
    MakeFifo(photo);
    const QString withPhoto = PathOf("photo.ini");
    WriteCp932(withPhoto, "[Calendar]\nMonths=1\n[Image]\nCount=1\n[Image0]\nWidth=50\nHeight=40\nFileName=" +
                              photo + "\n");
    dialogs::ClearShown();
    Open(f, withPhoto);
    // The open completes; the photo keeps its frame and is named in the message.
    EXPECT_EQ(f.CurrentIniFile, withPhoto);
    EXPECT_EQ(f.ImageFileName(), QStringList{photo});
    EXPECT_TRUE(QString::fromStdString(LastShown()).endsWith(RegularFileErrorText({RegularFileStatus::NotRegular, 0})))
        << LastShown();
    EXPECT_FALSE(f.IsLoadingFile);
    EXPECT_TRUE(IsFifo(plan) && IsFifo(photo));
}

} // namespace
} // namespace tamarie::testing
