#pragma once
// A main window in a throw-away home folder (so its data folder and settings
// file never touch the real documents folder), with message boxes scripted.
#include <QApplication>
#include <QCoreApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "back_form.h"
#include "calendar_form.h"
#include "dialogs.h"
#include "input_state.h"
#include "labeled_edit.h"
#include "tform1.h"
#include "support/temporary_home.h"

namespace tamarie::testing {

// Changes the document directly, as a file read or the window system would
// (no step of the history).
template <typename F> void ChangeDocument(TForm1 &f, F &&change)
{
    Document d = f.Doc();
    change(d);
    f.History->Adjust(d);
}

// The save question is asked only while the arrangement differs from its
// file (always while it was never saved): its answer is queued only then.
inline void AnswerSaveQuestion(TForm1 &f, bool yes)
{
    if (f.History->Modified())
        dialogs::Answer(yes);
}

// Scrolls the main window's client area down; false when the window cannot be
// made small enough to scroll.
inline bool ScrollDown(TForm1 &f)
{
    f.setWindowState(Qt::WindowNoState);
    f.resize(f.minimumSize());
    QCoreApplication::processEvents();
    QScrollBar *bar = f.VertScrollBar();
    if (!bar->isVisible() || bar->maximum() == 0)
        return false;
    bar->setValue(bar->maximum());
    return bar->value() != 0;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        dialogs::BeginScript();
    }
    void TearDown() override
    {
        form.reset();
        dialogs::EndScript();
    }

    // Creates the window; with show, runs the first showing as the program does.
    TForm1 &Make(bool show = true)
    {
        form = std::make_unique<TForm1>();
        if (show) {
            form->show();
            QCoreApplication::processEvents();
        }
        return *form;
    }

    // The editor as the output tests start it: its print window made, shown,
    // and OK pressed for `months` months from year/month (no save question).
    TForm1 &MakeShowingMonths(int year, int month, int months)
    {
        TForm1 &f = Make(false);
        f.CreateOutputWindows();
        f.show();
        QCoreApplication::processEvents();
        f.LECalendarYear->setText(QString::number(year));
        f.LECalendarMonth->setText(QString::number(month));
        f.LECalendarMonths->setText(QString::number(months));
        AnswerSaveQuestion(f, false);
        f.BtnOKClick();
        return f;
    }

    // Screen position of a point given in the main window's client coordinates.
    QPoint ClientToScreen(const QPoint &p) const { return form->ClientArea->mapToGlobal(p); }

    TemporaryHome home;
    std::unique_ptr<TForm1> form;
};

// The same with the pointer and the keyboard scripted (input_state.h).
class ScriptedInputTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        input::BeginScript();
    }
    void TearDown() override
    {
        input::EndScript();
        EditorTest::TearDown();
    }
};

} // namespace tamarie::testing
