#pragma once
// Faces by name.  Work-state files made on Windows name Windows faces
// ("ＭＳ 明朝", "HG丸ｺﾞｼｯｸM-PRO", "游ゴシック", ...); each is drawn whole in
// its nearest installed relative (Mincho as Mincho, rounded as rounded,
// proportional as proportional), and a face nobody knows in the default
// Japanese gothic, never glyph by glyph from unrelated faces.  The name a
// file gave stays the font's name, so saving writes it back unchanged.
#include <QList>
#include <QString>

#include <span>

namespace tamarie::fonts {

enum class FaceKind {
    Gothic,
    ModernGothic,  // Meiryo, Yu Gothic, BIZ UD: closer to Noto Sans CJK than to IPA
    Mincho,
    ModernMincho,  // Yu Mincho: closer to Noto Serif CJK
    Rounded,
    Kaisho,        // upright brush and textbook faces
    Gyosho,        // running brush faces
};
enum class Pitch { Proportional, Fixed };

struct WindowsFace {
    const char *name;
    FaceKind kind;
    Pitch pitch;
};

// Every Windows face the mapping knows, under its Japanese and English names.
std::span<const WindowsFace> WindowsFaces();
// The entry for a name, matched as Windows matches face names (case and
// full-width or half-width forms do not count); null when unknown.
const WindowsFace *FindWindowsFace(const QString &name);

// The toolkit's family of the installed face that fontconfig knows under
// `name` in any language (IPAMincho or IPA明朝), exactly as written; empty
// when no installed face has that name.
QString InstalledFamily(const QString &name);
// The first installed face of a kind and pitch, nearer relatives first,
// ending with the Japanese gothics; empty without any Japanese face.
QString InstalledRelative(FaceKind kind, Pitch pitch);
// The Japanese gothic that draws unknown faces; empty when none is installed.
QString DefaultGothic(Pitch pitch = Pitch::Proportional);

// The installed family that draws a face of this name: the face itself when
// installed, else its Windows relative, else the default gothic.
QString FaceUsed(const QString &name);
// A family's Japanese name where fontconfig has one (IPA明朝 for IPAMincho).
QString JapaneseName(const QString &family);
// What to show for a face of this name: the Japanese name of the face used.
QString FaceShown(const QString &name);
// True when the name is an installed face or a Windows face the mapping knows.
bool IsKnownFace(const QString &name);

// Makes fonts of this name draw FaceUsed(name); for names that come from
// files.  Installed faces are left alone.
void DrawAsFaceUsed(const QString &name);
// Registers every Windows face of the table; call once after the
// application object exists.
void InstallSubstitutions();

// The faces the font dialog offers: those that write Japanese first, each
// group by the name shown.
struct FaceEntry {
    QString family;  // the toolkit's family, what a font records
    QString shown;   // its Japanese name where there is one
    bool japanese = false;
};
QList<FaceEntry> DialogFaces();

} // namespace tamarie::fonts
