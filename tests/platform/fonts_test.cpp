// Windows faces drawn whole in their nearest installed relatives.
#include "fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tamarie::fonts;

namespace {

// What a face of each kind is called, in any of its names.
QRegularExpression KindWords(FaceKind kind)
{
    switch (kind) {
    case FaceKind::Gothic:
    case FaceKind::ModernGothic:
        return QRegularExpression(QStringLiteral("Gothic|Sans|ゴシック"));
    case FaceKind::Mincho:
    case FaceKind::ModernMincho:
        return QRegularExpression(QStringLiteral("Mincho|Serif|明朝"));
    case FaceKind::Rounded:
        return QRegularExpression(QStringLiteral("Maru|丸"));
    case FaceKind::Kaisho:
        return QRegularExpression(QStringLiteral("Brush|毛筆"));
    case FaceKind::Gyosho:
        return QRegularExpression(QStringLiteral("Gyousyo|行書"));
    }
    return {};
}

bool FixedPitch(const QString &family)
{
    const QFontMetricsF m(QFont(family, 20));
    return qAbs(m.horizontalAdvance(QLatin1Char('i')) - m.horizontalAdvance(QLatin1Char('W'))) < 0.5;
}

} // namespace

TEST(Fonts, EveryWindowsFaceIsDrawnWholeInARelativeOfItsKindAndPitch)
{
    InstallSubstitutions();
    for (const WindowsFace &w : WindowsFaces()) {
        const QString name = QString::fromUtf8(w.name);
        SCOPED_TRACE(w.name);
        EXPECT_EQ(FindWindowsFace(name), &w);
        const QString used = FaceUsed(name);
        ASSERT_FALSE(InstalledFamily(used).isEmpty());
        // What the toolkit draws for the name is that face, not a fallback.
        EXPECT_EQ(QFontInfo(QFont(name)).family().toStdString(), used.toStdString());
        EXPECT_TRUE(KindWords(w.kind).match(used + u' ' + JapaneseName(used)).hasMatch()) << used.toStdString();
        // The free rounded and brush faces come in one pitch only.
        if (w.kind != FaceKind::Rounded && w.kind != FaceKind::Kaisho && w.kind != FaceKind::Gyosho) {
            EXPECT_EQ(FixedPitch(used), w.pitch == Pitch::Fixed) << used.toStdString();
        }
    }
    // Windows' own spellings vary in case, width and spaces.
    EXPECT_EQ(FindWindowsFace(QStringLiteral("ms pgothic")), FindWindowsFace(QStringLiteral("MS PGothic")));
    EXPECT_EQ(FindWindowsFace(QStringLiteral("HG丸ゴシックM-PRO")), FindWindowsFace(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO")));
    EXPECT_EQ(FindWindowsFace(QStringLiteral("ＭＳ　明朝")), FindWindowsFace(QStringLiteral("MS 明朝")));
}

TEST(Fonts, UnknownFacesAreTheDefaultGothicAndKeepTheirName)
{
    const QString unknown = QStringLiteral("どこにもない書体 W9");
    const QString gothic = DefaultGothic();
    ASSERT_FALSE(gothic.isEmpty());
    EXPECT_EQ(FaceUsed(unknown), gothic);
    DrawAsFaceUsed(unknown);
    const QFont font(unknown);
    EXPECT_EQ(font.family(), unknown);
    EXPECT_EQ(QFontInfo(font).family(), gothic);
    // Drawn, but still not a face a file's common font may name.
    EXPECT_FALSE(IsKnownFace(unknown));
    EXPECT_TRUE(IsKnownFace(QStringLiteral("ＭＳ 明朝")));
    EXPECT_TRUE(IsKnownFace(gothic));
    // An installed face is itself, whichever language names it.
    const QString mincho = InstalledRelative(FaceKind::Mincho, Pitch::Fixed);
    const QString japanese = JapaneseName(mincho);
    EXPECT_NE(japanese, mincho);
    EXPECT_EQ(InstalledFamily(japanese), mincho);
    EXPECT_EQ(FaceUsed(japanese), mincho);
    EXPECT_EQ(FaceShown(QStringLiteral("ＭＳ 明朝")), japanese);
    EXPECT_TRUE(InstalledFamily(mincho.toLower()).isEmpty());  // names match exactly
}
