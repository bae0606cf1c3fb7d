#pragma once
// Work-state files keep calendar windows in screen pixels, next to the main
// window's outer place and the paper's place inside it.  Where the paper lay
// on screen also depends on the desktop's window frames and the menu bar,
// which the file does not hold; the editor keeps that distance in the
// per-user settings file so a file can be drawn elsewhere (without frames,
// offscreen) with its calendars where they stood on the paper.
#include <QPoint>
#include <QString>

#include <optional>

namespace tamarie {

// The paper's top-left on screen, less the main window's outer top-left and
// less the paper's own place in its parent, as last recorded on saving.
std::optional<QPoint> ReadPaperOffset(const QString &configPath);
// Records it; the file is left alone when it holds the same.  False when
// the file could not be written.
bool WritePaperOffset(const QString &configPath, const QPoint &offset);

// How far calendars placed from a file must move so they stand on the paper
// where they stood when it was saved: savedFrame and savedPaper are the
// file's main-window and paper places, paperOnScreen the paper's top-left
// on screen now.
QPoint CalendarShiftOntoPaper(const QPoint &savedFrame, const QPoint &savedPaper, const QPoint &offset,
                              const QPoint &paperOnScreen);

} // namespace tamarie
