#include "data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamarie;

TEST(DataFolder, BelowTheDocumentsFolder)
{
    EXPECT_EQ(DataFolderIn("/home/hana/Documents"), QStringLiteral("/home/hana/Documents/Norte/TamarieData"));
    EXPECT_EQ(DataFolderIn("/home/hana/Documents/"), QStringLiteral("/home/hana/Documents/Norte/TamarieData"));
    EXPECT_EQ(ConfigIniPath("/d/Norte/TamarieData"), QStringLiteral("/d/Norte/TamarieData/Config.ini"));
    EXPECT_FALSE(DocumentsFolder().isEmpty());
    EXPECT_TRUE(DataFolder().endsWith(QStringLiteral("/Norte/TamarieData")));
}

TEST(DataFolder, CreatedWithItsParents)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString folder = DataFolderIn(tmp.path() + "/Documents");
    EXPECT_FALSE(QFileInfo(folder).exists());
    EXPECT_TRUE(EnsureFolder(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(EnsureFolder(folder)); // already there
}

TEST(DataFolder, UncreatableFolderIsReported)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    QFile file(tmp.path() + "/plain");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(EnsureFolder(tmp.path() + "/plain/Norte/TamarieData")); // a file stands in the way
    EXPECT_FALSE(EnsureFolder(QString()));
}

TEST(ProgramFile, BesideTheProgramFirstThenTheInstalledShareFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString bin = tmp.path() + "/usr/bin";
    const QString share = tmp.path() + "/usr/share/tamarie";
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(share + "/Data"));
    // Nowhere yet: the place beside the program.
    EXPECT_EQ(ProgramFileIn(bin, "ReadMe.txt"), bin + "/ReadMe.txt");
    QFile(share + "/ReadMe.txt").open(QIODevice::WriteOnly);
    QFile(share + "/Data/fukurouoyako_fm.jpg").open(QIODevice::WriteOnly);
    EXPECT_EQ(ProgramFileIn(bin, "ReadMe.txt"), share + "/ReadMe.txt");
    EXPECT_EQ(ProgramFileIn(bin, "Data/fukurouoyako_fm.jpg"), share + "/Data/fukurouoyako_fm.jpg");
    QFile(bin + "/ReadMe.txt").open(QIODevice::WriteOnly);
    EXPECT_EQ(ProgramFileIn(bin, "ReadMe.txt"), bin + "/ReadMe.txt");
}
