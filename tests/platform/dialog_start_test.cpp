#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "dialog_start.h"
#include "ini_file.h"

namespace tamarie {
namespace {

TEST(DialogStart, UntitledProposesMutaiIniAndTheCurrentFileItself)
{
    EXPECT_EQ(ProposedWorkStateFile(QString(), "/home/u/Documents"), QString("/home/u/Documents/無題.ini"));
    EXPECT_EQ(ProposedWorkStateFile("/home/u/旅行.ini", "/home/u/Documents"), QString("/home/u/旅行.ini"));
}

TEST(DialogStart, LastFolderPerKindRememberedWhileItExists)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.filePath("Config.ini");
    ASSERT_TRUE(profile::WriteString(config, "Holiday", "Kept", "1"));
    const QString usual = DialogStartFolder(config, DialogFolder::Photo);
    ASSERT_TRUE(QDir(dir.path()).mkdir("写真"));
    const QString photos = dir.filePath("写真");
    RememberDialogFolder(config, DialogFolder::Photo, photos + "/a.jpg");
    EXPECT_EQ(DialogStartFolder(config, DialogFolder::Photo), photos);
    EXPECT_NE(DialogStartFolder(config, DialogFolder::WorkState), photos);
    EXPECT_EQ(profile::ReadString(config, "Holiday", "Kept"), QString("1"));
    ASSERT_TRUE(QDir(photos).removeRecursively());
    EXPECT_EQ(DialogStartFolder(config, DialogFolder::Photo), usual);
}

} // namespace
} // namespace tamarie
