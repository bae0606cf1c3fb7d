#pragma once
// The application object the shared test main made.
#include <QApplication>

inline QApplication &TestApp() { return *static_cast<QApplication *>(QCoreApplication::instance()); }
