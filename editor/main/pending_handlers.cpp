// Handlers whose behaviour belongs to work still to come: the schedule
// panel, per-month appearance, the paper layout, photos, work-state files,
// pictures, printing and help.  They are wired to their controls already and
// do nothing yet; each moves to the file of its concern when it is written.
#include "tform1.h"

namespace tamarie {


} // namespace tamarie
