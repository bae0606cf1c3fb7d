#pragma once
// The document and the work-state file's values (WorkState), both ways.  The
// file keeps calendar windows in screen pixels and the photos and the paper
// in the main window's pixels; these are the only places where the document
// meets the screen.
#include <QPoint>
#include <QRect>

#include "document.h"
#include "work_state.h"

namespace tamarie {

// Where the screen holds the document, as far as the file records it.
struct ScreenPlacement {
    bool maximized = false;
    QRect mainWindow;      // outer frame, screen pixels
    QRect paper;           // the paper in the main window's client area; its size is the paper's pixels
    QPoint paperOnScreen;  // the paper's top-left on the screen
};

// The file's values for the document placed so.
WorkState WorkStateOf(const Document &d, const ScreenPlacement &screen);

// The file's values as a document on the paper `screen` gives.  What the
// file leaves open comes from `current`: the font a calendar without a font
// file is drawn in, the fonts' other attributes, the photos' stacking.  The
// common font is taken only when its face is installed (faceInstalled).
// fontFromFile[n - 1] tells whether calendar n's fonts came from its file.
Document DocumentOf(const WorkState &w, const ScreenPlacement &screen, const Document &current,
                    bool commonFaceInstalled, std::vector<bool> *fontFromFile = nullptr);

// The calendar fonts a new window starts with.
QFont DesignGridFont();
QFont DesignTitleFont();

} // namespace tamarie
