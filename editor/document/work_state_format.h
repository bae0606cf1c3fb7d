#pragma once
// The work-state file and the WorkState value, both ways, without widgets.
// Writing changes only the keys it owns, so whatever else the file holds
// (keys of other versions, hand-written notes) stays.
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

#include "font_record.h"
#include "ini_file.h"
#include "work_state.h"

namespace tamarie {

constexpr int kMaxWorkStatePhotos = 100;

// What a desktop can show.  Sizes are capped to the desktop's extent (at
// least kMinDesktopExtent, so a file made on a larger screen keeps its
// sizes on a small or offscreen one; at most kMaxDesktopExtent, the largest
// single screen), positions to two such extents around the desktop.  An
// absurd file can then neither make windows the window system cannot hold
// nor make the editor allocate gigabytes of window pixels.
constexpr QSize kMinDesktopExtent(1920, 1200);
constexpr int kMaxDesktopExtent = 8192;

struct WorkStateBounds {
    QRect desktop;  // the virtual desktop, screen pixels
    int maxWidth() const;
    int maxHeight() const;
    // Clamped to the limits above: positions around the desktop, sizes 0 to the cap.
    QRect Clamp(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) const;
};

// Reads the file's values; a key that is missing or unparsable gives the
// value in current (the editor as it stands, today as its month), or the
// format's fixed default.  calendars holds Calendar/Count entries (clamped
// to 1..12; current.calendars.size() when unparsable); a calendar window's
// default place is windows[n - 1] (every window as it stands, hidden ones
// included) where given.  Companion font files are not read here (see
// ReadCalendarFontFiles); commonFont is current's.
WorkState ReadWorkState(const IniFile &ini, const WorkState &current, const WorkStateBounds &bounds,
                        const std::vector<QRect> &windows = {});

// Calendar/Count clamped to 1..12; current when unparsable.
int WorkStateCalendarCount(const IniFile &ini, int current);

// True when the file keeps its photo in the older single-photo layout
// (Image/Left and friends); ReadWorkState reads it so, and writing replaces
// it with Image/Count and section Image0.
bool HasOlderPhotoLayout(const IniFile &ini);

// The companion files of iniPath: the common font and each calendar's.
WorkStateFont ReadCommonFontFile(const QString &iniPath);
void ReadCalendarFontFiles(const QString &iniPath, WorkState &state);

// Writes the keys in the file's fixed order, then erases the sections of
// photos beyond the last one up to the first gap.
void WriteWorkState(IniFile &ini, const WorkState &state);
// The companion files to write: the common font, then each calendar whose
// font is Ok.
std::vector<std::pair<QString, TCalendarFontRecord>> WorkStateFontFiles(const QString &iniPath,
                                                                        const WorkState &state);

} // namespace tamarie
