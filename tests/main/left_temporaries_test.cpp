// What saves killed part way left in the data folder is gone once the editor
// has started; a temporary file a running save holds stays.
#include <QDir>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "data_folder.h"
#include "editor_fixture.h"
#include "support/test_files.h"

namespace tamarie::testing {
namespace {

TEST_F(EditorTest, StartRemovesWhatKilledSavesLeftInTheDataFolder)
{
    const QString data = DataFolder();
    ASSERT_TRUE(QDir().mkpath(data));
    const QString left = data + "/.Config.ini.Xq3Zp0.tamarie-tmp", held = data + "/.Config.ini.Ab12Cd.tamarie-tmp",
                  other = data + "/notes.tamarie-tmp";
    for (const QString &path : {left, held, other})
        WriteAll(path, "[Schedule]\r\nCount=");
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0); // a save still writing it
    Make();
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(QFile::exists(held));
    EXPECT_TRUE(QFile::exists(other)); // not a hidden temporary file of ours
    ::close(fd);
}

} // namespace
} // namespace tamarie::testing
