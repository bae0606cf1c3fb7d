// The settings panel at the usual text size and at half as large again: every
// caption fits its control, and no control overlaps another or its frame.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "editor_fixture.h"

namespace tamarie::testing {
namespace {

class SettingsPanel : public EditorTest {};

// Problems with one page's captions, as readable lines.
QStringList CaptionFaults(QWidget *page)
{
    QStringList faults;
    QList<QWidget *> shown;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        const bool caption = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w);
        if (!caption || !w->isVisibleTo(page) || w->objectName() == QLatin1String("LblFontName") ||
            w->objectName() == QLatin1String("ImgThumbnail"))
            continue;
        shown << w;
        const auto *label = qobject_cast<QLabel *>(w);
        const QString text = label ? label->text() : static_cast<QAbstractButton *>(w)->text();
        QSize need = w->sizeHint();
        if (label && label->wordWrap())
            need = QSize(0, label->heightForWidth(w->width()));
        if (w->width() < need.width() || w->height() < need.height())
            faults << QString("%1 \"%2\" %3x%4 needs %5x%6")
                          .arg(w->objectName(), text)
                          .arg(w->width())
                          .arg(w->height())
                          .arg(need.width())
                          .arg(need.height());
        // Inside every frame up to the page.
        for (QWidget *c = w; c != page; c = c->parentWidget()) {
            const QRect inParent = c->geometry();
            if (!c->parentWidget()->rect().contains(inParent))
                faults << QString("%1 \"%2\" cut by %3").arg(w->objectName(), text, c->parentWidget()->objectName());
        }
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j) {
            const QRect a(shown[i]->mapTo(page, QPoint()), shown[i]->size());
            const QRect b(shown[j]->mapTo(page, QPoint()), shown[j]->size());
            if (a.intersects(b))
                faults << QString("\"%1\" overlaps \"%2\"")
                              .arg(shown[i]->property("text").toString(), shown[j]->property("text").toString());
        }
    return faults;
}

TEST_F(SettingsPanel, EveryCaptionFitsAtBothTextScales)
{
    TForm1 &f = Make();
    f.resize(1400, 1000);
    const QFont usual = f.font();
    for (const double scale : {1.0, 1.5}) {
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() * scale);
        f.setFont(font);
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        for (int page = 0; page < f.PageControl1->count(); ++page) {
            f.PageControl1->setCurrentIndex(page);
            for (int i = 0; i < 2; ++i)
                QCoreApplication::processEvents();
            QWidget *sheet = f.PageControl1->widget(page);
            const QStringList faults = CaptionFaults(sheet);
            EXPECT_TRUE(faults.isEmpty()) << "scale " << scale << " page " << page << ":\n"
                                          << faults.join(u'\n').toStdString();
            EXPECT_TRUE(f.PanelConfig->rect().contains(QRect(sheet->mapTo(f.PanelConfig, QPoint()), sheet->size())));
        }
        EXPECT_LE(f.PanelConfig->x() + f.PanelConfig->width(), f.ClientArea->width()) << scale;
    }
}

} // namespace
} // namespace tamarie::testing
