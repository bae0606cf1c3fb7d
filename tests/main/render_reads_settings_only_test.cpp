// tamarie-render only reads settings: the user's data folder (Config.ini and
// all) and a settings file named with --config stay as they were, and none
// is made where there was none.
#ifdef TAMARIE_RENDER_PATH
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include "data_folder.h"
#include "editor_fixture.h"
#include "regular_file.h"
#include "support/test_files.h"

namespace tamarie::testing {
namespace {

using FolderState = QMap<QString, std::pair<QByteArray, FileStamp>>;

FolderState StateOf(const QString &folder)
{
    FolderState state;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        state.insert(name, {ReadAll(folder + "/" + name), StampOfFile(folder + "/" + name)});
    return state;
}

int Render(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAMARIE_RENDER_PATH), args);
    p.waitForFinished(120000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class RenderSettings : public EditorTest {
protected:
    QTemporaryDir out;
};

TEST_F(RenderSettings, RenderingWritesNoSettings)
{
    TForm1 &f = Make();
    const QString data = f.DataFolda, plan = out.filePath("plan.ini"), png = out.filePath("r.png");
    ASSERT_TRUE(f.SaveWorkState(plan)); // notes the paper's place in Config.ini
    form.reset();
    const QString other = out.filePath("other.ini");
    WriteAll(other, "[Schedule]\r\nCount=0\r\n");
    const FolderState before = StateOf(data), otherBefore = StateOf(out.filePath("."));
    ASSERT_TRUE(before.contains("Config.ini"));

    EXPECT_EQ(Render({plan, png}), 0);
    EXPECT_EQ(StateOf(data), before);
    EXPECT_EQ(Render({plan, png, "--config", other}), 0);
    EXPECT_EQ(StateOf(data), before);
    const FolderState otherAfter = StateOf(out.filePath("."));
    EXPECT_EQ(otherAfter["other.ini"], otherBefore["other.ini"]);

    ASSERT_TRUE(QFile::remove(ConfigIniPath(data)));
    EXPECT_EQ(Render({plan, png}), 0);
    EXPECT_FALSE(QFile::exists(ConfigIniPath(data)));
}

TEST_F(RenderSettings, RenderingLeavesItsWorkStateFileAsItIs)
{
    TForm1 &f = Make();
    const QString plan = out.filePath("plan.ini"), png = out.filePath("r.png");
    ASSERT_TRUE(f.SaveWorkState(plan));
    form.reset();
    // The photo in the older layout (its keys in [Image] itself), which the
    // editor converts only when it saves.
    QByteArray bytes = ReadAll(plan);
    ASSERT_TRUE(bytes.contains("[Image]\r\nCount=1\r\n[Image0]\r\n"));
    bytes.replace("[Image]\r\nCount=1\r\n[Image0]\r\n", "[Image]\r\n");
    WriteAll(plan, bytes);
    const FolderState before = StateOf(out.path());

    EXPECT_EQ(Render({plan, png}), 0);
    FolderState after = StateOf(out.path());
    after.remove("r.png");
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace tamarie::testing
#endif
