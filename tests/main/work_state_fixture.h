#pragma once
// A shown main window plus a folder for work-state files, and the steps the
// work-state tests repeat: OK, save under a name, open, reading files back.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

#include "color_box.h"
#include "editor_fixture.h"
#include "ini_file.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "radio_group.h"
#include "support/test_files.h"
#include "text_codec.h"

namespace tamarie::testing {

// While alive, files of this process cannot grow past the given size: a
// full disk that even a privileged user runs into.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }

private:
    rlimit old{};
};

class WorkStateTest : public EditorTest {
protected:
    QString PathOf(const QString &name) const { return files.filePath(name); }

    // OK with the save question answered No.
    void Ok(TForm1 &f, const QString &year, const QString &month, const QString &count)
    {
        f.LECalendarYear->setText(year);
        f.LECalendarMonth->setText(month);
        f.LECalendarMonths->setText(count);
        AnswerSaveQuestion(f, false);
        f.BtnOKClick();
        QCoreApplication::processEvents();
    }

    // Runs a change of settings controls without their handlers acting on the calendars.
    template <typename F> void Quietly(TForm1 &f, F &&change)
    {
        f.IsLoadingFile = true;
        change();
        f.IsLoadingFile = false;
    }

    // One step of the user (a paper colour), so there is unsaved work.
    static void OneStep(TForm1 &f)
    {
        Document d = f.Doc();
        d.paper.color = d.paper.color == clRed ? clWhite : clRed;
        f.History->Apply(QStringLiteral("用紙の色"), d);
    }

    bool SaveAs(TForm1 &f, const QString &path)
    {
        dialogs::AnswerFile(path);
        f.MenuSaveAsFileClick();
        return f.IsSaved;
    }

    // The open command with the save question answered No.
    void Open(TForm1 &f, const QString &path)
    {
        AnswerSaveQuestion(f, false);
        dialogs::AnswerFile(path);
        f.MenuOpenClick();
    }

    static QByteArray Bytes(const QString &path) { return ReadAll(path); }
    static void WriteBytes(const QString &path, const QByteArray &bytes) { WriteAll(path, bytes); }
    // A hand-typed file: code page 932 with CRLF line ends.
    static void WriteCp932(const QString &path, const QString &text)
    {
        QString crlf = text;
        crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        const auto bytes = EncodeCp932(crlf);
        ASSERT_TRUE(bytes.has_value());
        WriteBytes(path, *bytes);
    }

    QTemporaryDir files;
};

} // namespace tamarie::testing
