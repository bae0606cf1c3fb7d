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
#include "tform1.h"

namespace tamarie::testing {

inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "test_main";
    static char *argv[] = {name, nullptr};
    if (!qApp)
        new QApplication(argc, argv);
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
        EnsureApp();
        ASSERT_TRUE(home.isValid());
        oldHome = qgetenv("HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
        dialogs::BeginScript();
    }
    void TearDown() override
    {
        form.reset();
        dialogs::EndScript();
        qputenv("HOME", oldHome);
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
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

    // Screen position of a point given in the main window's client coordinates.
    QPoint ClientToScreen(const QPoint &p) const { return form->ClientArea->mapToGlobal(p); }

    QTemporaryDir home;
    QByteArray oldHome, oldConfig;
    std::unique_ptr<TForm1> form;
};

} // namespace tamarie::testing
