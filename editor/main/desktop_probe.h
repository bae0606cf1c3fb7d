#pragma once
// A look into the running program for the desktop test suite: with
// TAMARIE_PROBE=<file> set, SIGUSR1 makes the program write the screen
// geometry of its windows and named widgets, and where the focus is, to that
// file.  Without the variable nothing is installed.
class QObject;

namespace tamarie {

void InstallDesktopProbe(QObject *parent);

} // namespace tamarie
