#include "data_folder.h"

#include <QDir>
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
