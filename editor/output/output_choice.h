#pragma once
// The user's choice of how pictures and prints are made ("出力"), kept in a
// section of its own in the per-user settings file.
#include <QString>

namespace tamarie {

enum class OutputChoice {
    Fresh = 0,     // "高精細": drawn afresh at the output's resolution
    AsScreen = 1,  // "画面どおり": composed at screen size and resampled
};

// Fresh when the file, the section or the key is missing or holds another value.
OutputChoice ReadOutputChoice(const QString &configPath);
// False when the file could not be written.
bool WriteOutputChoice(const QString &configPath, OutputChoice choice);

} // namespace tamarie
