#pragma once
// Windows face names used by the editor ("MS UI Gothic", "ＭＳ Ｐゴシック",
// "Tahoma", ...) resolve to an installed Japanese gothic, so Japanese text
// never shows as boxes.  The face name the user chose stays what is recorded.
#include <QString>

namespace tamarie::fonts {

// The installed Japanese gothic used for the Windows faces; empty when none.
QString JapaneseGothicFamily(bool proportional = true);

// Registers the substitutions; call once after the application object exists.
void InstallSubstitutions();

} // namespace tamarie::fonts
