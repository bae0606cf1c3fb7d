#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace tamarie::fonts {

namespace {

using K = FaceKind;
constexpr Pitch P = Pitch::Proportional;
constexpr Pitch F = Pitch::Fixed;

// HG faces come in three: HG (fixed), HGP (proportional), HGS (proportional
// kana, fixed kanji: drawn as proportional).
constexpr WindowsFace kWindowsFaces[] = {
    // Windows' own Japanese faces.
    {"ＭＳ ゴシック", K::Gothic, F},
    {"MS Gothic", K::Gothic, F},
    {"ＭＳ Ｐゴシック", K::Gothic, P},
    {"MS PGothic", K::Gothic, P},
    {"MS UI Gothic", K::Gothic, P},
    {"ＭＳ 明朝", K::Mincho, F},
    {"MS Mincho", K::Mincho, F},
    {"ＭＳ Ｐ明朝", K::Mincho, P},
    {"MS PMincho", K::Mincho, P},
    {"メイリオ", K::ModernGothic, P},
    {"Meiryo", K::ModernGothic, P},
    {"Meiryo UI", K::ModernGothic, P},
    {"游ゴシック", K::ModernGothic, P},
    {"游ゴシック Light", K::ModernGothic, P},
    {"游ゴシック Medium", K::ModernGothic, P},
    {"游ゴシック体", K::ModernGothic, P},
    {"Yu Gothic", K::ModernGothic, P},
    {"Yu Gothic Light", K::ModernGothic, P},
    {"Yu Gothic Medium", K::ModernGothic, P},
    {"Yu Gothic UI", K::ModernGothic, P},
    {"Yu Gothic UI Light", K::ModernGothic, P},
    {"Yu Gothic UI Semilight", K::ModernGothic, P},
    {"Yu Gothic UI Semibold", K::ModernGothic, P},
    {"游明朝", K::ModernMincho, P},
    {"游明朝 Light", K::ModernMincho, P},
    {"游明朝 Demibold", K::ModernMincho, P},
    {"游明朝体", K::ModernMincho, P},
    {"Yu Mincho", K::ModernMincho, P},
    {"Yu Mincho Light", K::ModernMincho, P},
    {"Yu Mincho Demibold", K::ModernMincho, P},
    {"BIZ UDゴシック", K::ModernGothic, F},
    {"BIZ UDGothic", K::ModernGothic, F},
    {"BIZ UDPゴシック", K::ModernGothic, P},
    {"BIZ UDPGothic", K::ModernGothic, P},
    {"BIZ UD明朝 Medium", K::ModernMincho, F},
    {"BIZ UDMincho Medium", K::ModernMincho, F},
    {"BIZ UDP明朝 Medium", K::ModernMincho, P},
    {"BIZ UDPMincho Medium", K::ModernMincho, P},
    {"UD デジタル 教科書体 N-R", K::Kaisho, F},
    {"UD デジタル 教科書体 N-B", K::Kaisho, F},
    {"UD デジタル 教科書体 NP-R", K::Kaisho, P},
    {"UD デジタル 教科書体 NP-B", K::Kaisho, P},
    {"UD デジタル 教科書体 NK-R", K::Kaisho, P},
    {"UD デジタル 教科書体 NK-B", K::Kaisho, P},
    {"UD Digi Kyokasho N-R", K::Kaisho, F},
    {"UD Digi Kyokasho N-B", K::Kaisho, F},
    {"UD Digi Kyokasho NP-R", K::Kaisho, P},
    {"UD Digi Kyokasho NP-B", K::Kaisho, P},
    {"UD Digi Kyokasho NK-R", K::Kaisho, P},
    {"UD Digi Kyokasho NK-B", K::Kaisho, P},
    // The HG faces that come with Office.
    {"HGｺﾞｼｯｸE", K::Gothic, F},
    {"HGPｺﾞｼｯｸE", K::Gothic, P},
    {"HGSｺﾞｼｯｸE", K::Gothic, P},
    {"HGGothicE", K::Gothic, F},
    {"HGPGothicE", K::Gothic, P},
    {"HGSGothicE", K::Gothic, P},
    {"HGｺﾞｼｯｸM", K::Gothic, F},
    {"HGPｺﾞｼｯｸM", K::Gothic, P},
    {"HGSｺﾞｼｯｸM", K::Gothic, P},
    {"HGGothicM", K::Gothic, F},
    {"HGPGothicM", K::Gothic, P},
    {"HGSGothicM", K::Gothic, P},
    {"HG創英角ｺﾞｼｯｸUB", K::Gothic, F},
    {"HGP創英角ｺﾞｼｯｸUB", K::Gothic, P},
    {"HGS創英角ｺﾞｼｯｸUB", K::Gothic, P},
    {"HGSoeiKakugothicUB", K::Gothic, F},
    {"HGPSoeiKakugothicUB", K::Gothic, P},
    {"HGSSoeiKakugothicUB", K::Gothic, P},
    {"HG明朝B", K::Mincho, F},
    {"HGP明朝B", K::Mincho, P},
    {"HGS明朝B", K::Mincho, P},
    {"HGMinchoB", K::Mincho, F},
    {"HGPMinchoB", K::Mincho, P},
    {"HGSMinchoB", K::Mincho, P},
    {"HG明朝E", K::Mincho, F},
    {"HGP明朝E", K::Mincho, P},
    {"HGS明朝E", K::Mincho, P},
    {"HGMinchoE", K::Mincho, F},
    {"HGPMinchoE", K::Mincho, P},
    {"HGSMinchoE", K::Mincho, P},
    {"HG創英ﾌﾟﾚｾﾞﾝｽEB", K::Mincho, F},
    {"HGP創英ﾌﾟﾚｾﾞﾝｽEB", K::Mincho, P},
    {"HGS創英ﾌﾟﾚｾﾞﾝｽEB", K::Mincho, P},
    {"HGSoeiPresenceEB", K::Mincho, F},
    {"HGPSoeiPresenceEB", K::Mincho, P},
    {"HGSSoeiPresenceEB", K::Mincho, P},
    {"HG丸ｺﾞｼｯｸM-PRO", K::Rounded, P},
    {"HGMaruGothicMPRO", K::Rounded, P},
    {"HG創英角ﾎﾟｯﾌﾟ体", K::Rounded, F},
    {"HGP創英角ﾎﾟｯﾌﾟ体", K::Rounded, P},
    {"HGS創英角ﾎﾟｯﾌﾟ体", K::Rounded, P},
    {"HGSoeiKakupoptai", K::Rounded, F},
    {"HGPSoeiKakupoptai", K::Rounded, P},
    {"HGSSoeiKakupoptai", K::Rounded, P},
    {"HG正楷書体-PRO", K::Kaisho, P},
    {"HGSeikaishotaiPRO", K::Kaisho, P},
    {"HG教科書体", K::Kaisho, F},
    {"HGP教科書体", K::Kaisho, P},
    {"HGS教科書体", K::Kaisho, P},
    {"HGKyokashotai", K::Kaisho, F},
    {"HGPKyokashotai", K::Kaisho, P},
    {"HGSKyokashotai", K::Kaisho, P},
    {"HG行書体", K::Gyosho, F},
    {"HGP行書体", K::Gyosho, P},
    {"HGS行書体", K::Gyosho, P},
    {"HGGyoshotai", K::Gyosho, F},
    {"HGPGyoshotai", K::Gyosho, P},
    {"HGSGyoshotai", K::Gyosho, P},
    // Latin faces a Japanese Windows draws with a Japanese face for kanji;
    // here one Japanese face draws it all.
    {"Tahoma", K::Gothic, P},
    {"Segoe UI", K::Gothic, P},
    {"Arial", K::Gothic, P},
    {"Verdana", K::Gothic, P},
    {"Calibri", K::Gothic, P},
    {"Century Gothic", K::Gothic, P},
    {"MS Sans Serif", K::Gothic, P},
    {"Microsoft Sans Serif", K::Gothic, P},
    {"Courier New", K::Gothic, F},
    {"Consolas", K::Gothic, F},
    {"Lucida Console", K::Gothic, F},
    {"Times New Roman", K::Mincho, P},
    {"Century", K::Mincho, P},
    {"Georgia", K::Mincho, P},
    {"Cambria", K::Mincho, P},
    {"Comic Sans MS", K::Rounded, P},
};

// Installed relatives by kind and pitch, nearest first.  IPA's faces share
// the metrics of Windows' MS faces, so text fits as it did there.
QStringList Candidates(FaceKind kind, Pitch pitch)
{
    const bool fixed = pitch == Pitch::Fixed;
    const QStringList gothic =
        fixed ? QStringList{"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic", "IPAPGothic",
                            "Noto Sans CJK JP", "IPAexGothic"}
              : QStringList{"IPAPGothic", "Noto Sans CJK JP", "IPAexGothic", "VL PGothic", "TakaoPGothic",
                            "IPAGothic", "Noto Sans Mono CJK JP", "Droid Sans Fallback"};
    const QStringList mincho = fixed ? QStringList{"IPAMincho", "TakaoMincho", "IPAexMincho", "IPAPMincho",
                                                   "Noto Serif CJK JP"}
                                     : QStringList{"IPAPMincho", "Noto Serif CJK JP", "IPAexMincho", "TakaoPMincho",
                                                   "IPAMincho"};
    switch (kind) {
    case FaceKind::Gothic:
        return gothic;
    case FaceKind::ModernGothic:
        return QStringList{fixed ? "Noto Sans Mono CJK JP" : "Noto Sans CJK JP"} + gothic;
    case FaceKind::Mincho:
        return mincho + gothic;
    case FaceKind::ModernMincho:
        return (fixed ? mincho : QStringList{"Noto Serif CJK JP"} + mincho) + gothic;
    case FaceKind::Rounded:
        // The one free rounded face has fixed pitch; a rounded face of the
        // other pitch is still nearer than a gothic.
        return QStringList{"MotoyaLMaru"} + gothic;
    case FaceKind::Kaisho:
        return QStringList{"KouzanBrushFont", "KouzanBrushFontGyousyo"} + mincho + gothic;
    case FaceKind::Gyosho:
        return QStringList{"KouzanBrushFontGyousyo", "KouzanBrushFont"} + mincho + gothic;
    }
    return gothic;
}

// Windows compares face names without case; full-width and half-width
// forms and spaces vary between files.
QString MatchKey(const QString &name)
{
    QString key = name.normalized(QString::NormalizationForm_KC).toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace(); });
    return key;
}

struct Names {
    QString family;    // the toolkit's name of the face
    QString japanese;  // fontconfig's Japanese name, or empty
};

// Every name fontconfig knows for every installed face, in every language;
// the toolkit registers each face under one of them.
const QHash<QString, Names> &NameIndex()
{
    static const QHash<QString, Names> index = [] {
        QHash<QString, Names> result;
        const QStringList families = QFontDatabase::families();
        const QSet<QString> known(families.begin(), families.end());
        for (const QString &f : families)
            result.insert(f, Names{f, {}});
        FcPattern *pattern = FcPatternCreate();
        FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, nullptr);
        FcFontSet *set = (pattern && objects) ? FcFontList(nullptr, pattern, objects) : nullptr;
        for (int i = 0; set && i < set->nfont; ++i) {
            QStringList names;
            Names found;
            FcChar8 *value = nullptr;
            for (int k = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, k, &value) == FcResultMatch; ++k) {
                const QString name = QString::fromUtf8(reinterpret_cast<const char *>(value));
                names << name;
                FcChar8 *lang = nullptr;
                if (found.japanese.isEmpty()
                    && FcPatternGetString(set->fonts[i], FC_FAMILYLANG, k, &lang) == FcResultMatch
                    && QByteArray(reinterpret_cast<const char *>(lang)).startsWith("ja"))
                    found.japanese = name;
                if (found.family.isEmpty() && known.contains(name))
                    found.family = name;
            }
            if (found.family.isEmpty())
                continue;
            for (const QString &name : names)
                result.insert(name, found);
        }
        if (set)
            FcFontSetDestroy(set);
        if (objects)
            FcObjectSetDestroy(objects);
        if (pattern)
            FcPatternDestroy(pattern);
        return result;
    }();
    return index;
}

void Substitute(const QString &name, const QString &family)
{
    QFont::removeSubstitutions(name);
    QFont::insertSubstitution(name, family);
}

} // namespace

std::span<const WindowsFace> WindowsFaces() { return kWindowsFaces; }

const WindowsFace *FindWindowsFace(const QString &name)
{
    static const QHash<QString, const WindowsFace *> byKey = [] {
        QHash<QString, const WindowsFace *> h;
        for (const WindowsFace &w : kWindowsFaces)
            h.insert(MatchKey(QString::fromUtf8(w.name)), &w);
        return h;
    }();
    return byKey.value(MatchKey(name), nullptr);
}

QString InstalledFamily(const QString &name)
{
    if (name.isEmpty())
        return {};
    return NameIndex().value(name).family;
}

QString InstalledRelative(FaceKind kind, Pitch pitch)
{
    for (const QString &candidate : Candidates(kind, pitch))
        if (const QString family = InstalledFamily(candidate); !family.isEmpty())
            return family;
    return {};
}

QString DefaultGothic(Pitch pitch) { return InstalledRelative(FaceKind::Gothic, pitch); }

QString FaceUsed(const QString &name)
{
    if (const QString family = InstalledFamily(name); !family.isEmpty())
        return family;
    const WindowsFace *w = FindWindowsFace(name);
    const QString relative = w ? InstalledRelative(w->kind, w->pitch) : DefaultGothic();
    return relative.isEmpty() ? name : relative;
}

QString JapaneseName(const QString &family)
{
    const QString japanese = NameIndex().value(family).japanese;
    return japanese.isEmpty() ? family : japanese;
}

QString FaceShown(const QString &name) { return JapaneseName(FaceUsed(name)); }

bool IsKnownFace(const QString &name) { return !InstalledFamily(name).isEmpty() || FindWindowsFace(name); }

void DrawAsFaceUsed(const QString &name)
{
    if (name.isEmpty() || !InstalledFamily(name).isEmpty())
        return;
    const QString used = FaceUsed(name);
    if (used != name)
        Substitute(name, used);
}

void InstallSubstitutions()
{
    for (const WindowsFace &w : kWindowsFaces)
        DrawAsFaceUsed(QString::fromUtf8(w.name));
}

QList<FaceEntry> DialogFaces()
{
    QList<FaceEntry> faces;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        faces.append({family, JapaneseName(family),
                      QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese)});
    }
    std::stable_sort(faces.begin(), faces.end(), [](const FaceEntry &a, const FaceEntry &b) {
        if (a.japanese != b.japanese)
            return a.japanese;
        return a.shown.localeAwareCompare(b.shown) < 0;
    });
    return faces;
}

} // namespace tamarie::fonts
