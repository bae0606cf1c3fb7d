// A work-state file from Windows naming Windows faces: tamarie-render draws
// all of a calendar's text in one installed face of the same kind, the
// editor shows that face, and saving keeps the names the file had.
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include "font_record.h"
#include "fonts.h"
#include "work_state_fixture.h"

namespace tamarie::testing {
namespace {

// The faces a PDF embeds, without the subset prefix ("ABCDEF+").
QSet<QString> PdfFonts(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf});
    p.waitForFinished(60000);
    QSet<QString> names;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i)  // after the heading and its rule
        names.insert(lines[i].section(u' ', 0, 0, QString::SectionSkipEmpty).section(u'+', -1));
    return names;
}

class WindowsFaces : public WorkStateTest {};

TEST_F(WindowsFaces, DrawnInOneFaceOfTheirKindAndSavedUnchanged)
{
#ifndef TAMARIE_RENDER_PATH
    GTEST_SKIP() << "tamarie-render is not built";
#else
    TForm1 &f = MakeShowingMonths(2025, 4, 1);
    const QString ini = PathOf(QStringLiteral("plan.ini"));
    ASSERT_TRUE(f.SaveWorkState(ini));
    const struct {
        const char *face;
        const char *kind;  // words of the embedded face's PostScript name
    } cases[] = {
        {"ＭＳ 明朝", "Mincho|Serif"},
        {"HG丸ｺﾞｼｯｸM-PRO", "Maru"},
        {"游ゴシック", "Gothic|Sans"},
        {"どこにもない書体", "Gothic|Sans"},
    };
    for (const auto &c : cases) {
        const QString face = QString::fromUtf8(c.face);
        SCOPED_TRACE(c.face);
        // Black: until a font is chosen the common font's colour is calendar 1's weekday colour.
        const TCalendarFontRecord record{face, kShiftJisCharset, 12, 0, 0};
        ASSERT_TRUE(WriteFontRecordFile(PathOf(QStringLiteral("plan.dat")), record));
        ASSERT_TRUE(WriteFontRecordFile(PathOf(QStringLiteral("plan_1.dat")), record));
        const QString pdf = PathOf(QStringLiteral("plan.pdf"));
        QFile::remove(pdf);
        QProcess render;
        render.start(QStringLiteral(TAMARIE_RENDER_PATH), {ini, pdf});
        render.waitForFinished(120000);
        ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        // Digits, kanji and kana alike from one face; no Latin face fills in.
        const QSet<QString> embedded = PdfFonts(pdf);
        ASSERT_EQ(embedded.size(), 1) << QStringList(embedded.values()).join(u' ').toStdString();
        const QString used = *embedded.begin();
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(c.kind)).match(used).hasMatch()) << used.toStdString();

        // The editor shows the face it draws and writes back the name it read.
        const QByteArray common = Bytes(PathOf(QStringLiteral("plan.dat")));
        const QByteArray own = Bytes(PathOf(QStringLiteral("plan_1.dat")));
        Open(f, ini);
        EXPECT_EQ(f.CalForm[1]->Calendar->font().family(), face);
        const bool known = fonts::IsKnownFace(face);  // else the common font is ignored
        if (known) {
            EXPECT_EQ(f.LblFontName->text().toStdString(), fonts::FaceShown(face).toStdString());
        }
        ASSERT_TRUE(f.SaveWorkState(ini));
        EXPECT_EQ(Bytes(PathOf(QStringLiteral("plan_1.dat"))), own);
        if (known) {
            EXPECT_EQ(Bytes(PathOf(QStringLiteral("plan.dat"))), common);
        }
    }
#endif
}

} // namespace
} // namespace tamarie::testing
