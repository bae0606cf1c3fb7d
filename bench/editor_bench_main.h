#pragma once
// The main of benchmarks that run the editor: offscreen, with a throw-away
// home for its data folder, the installed font substitutions, and scripted
// dialogs (the save question is answered No).
#include "fonts.h"
#include "dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

inline int RunEditorBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication app(argc, argv);
    tamarie::fonts::InstallSubstitutions();
    tamarie::dialogs::BeginScript();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
