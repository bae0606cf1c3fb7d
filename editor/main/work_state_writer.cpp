// Writing a work-state file: the arrangement as INI keys in a fixed order,
// then one font file for the common calendar font and one per calendar.
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QFrame>
#include <QSlider>
#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "dialogs.h"
#include "ini_file.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

const QString kSaveFailedMessage = QStringLiteral("保存に失敗しました。");

QString Num(int n) { return QString::number(n); }

// The fixed text, then the file and the system's reason on a line of their own.
QString SaveFailedMessage(const QString &detail)
{
    return detail.isEmpty() ? kSaveFailedMessage : kSaveFailedMessage + u'\n' + detail;
}

QString FileReason(const QString &path, const QString &reason)
{
    return reason.isEmpty() ? QString() : QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
}

int PointsOf(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return font.pointSizeF() > 0 ? RoundHalfEven(font.pointSizeF()) : QFontInfo(font).pointSize();
}

TCalendarFontRecord RecordOf(const QFont &font, int charset, TColorValue color, int points)
{
    TCalendarFontRecord r;
    r.Name = font.family();
    r.Charset = charset;
    r.Size = points;
    r.Style = FontStyleBits(font);
    r.Color = color;
    return r;
}

} // namespace

bool TForm1::SaveWorkState(const QString &FileName)
{
    // The count is taken once; every per-calendar list below uses it.
    const int N = std::clamp(CalendarCount, 1, kMaxCalendars);
    const int M = std::max(0, ImgCount);

    IniFile ini;
    if (!ini.Load(FileName)) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }

    auto cal = [this](int n) { return CalForm[n]; };
    auto back = [this](int n) { return ABackForm[n]; };

    // 1. The main window.
    const QString form = QStringLiteral("Form1");
    const QRect frame = frameGeometry();
    ini.WriteBool(form, QStringLiteral("IsMaximized"), isMaximized());
    ini.WriteInteger(form, QStringLiteral("Left"), frame.x());
    ini.WriteInteger(form, QStringLiteral("Top"), frame.y());
    ini.WriteInteger(form, QStringLiteral("Width"), frame.width());
    ini.WriteInteger(form, QStringLiteral("Height"), frame.height());

    // 2. The paper.
    const QString panel = QStringLiteral("Panel");
    ini.WriteInteger(panel, QStringLiteral("Left"), Panel1->x());
    ini.WriteInteger(panel, QStringLiteral("Top"), Panel1->y());
    ini.WriteInteger(panel, QStringLiteral("Width"), Panel1->width());
    ini.WriteInteger(panel, QStringLiteral("Height"), Panel1->height());

    // 3.
    ini.WriteInteger(QStringLiteral("Hoko"), QStringLiteral("Value"), RadioGroupHoko->ItemIndex());

    // 4. The calendars, key group by key group.
    const QString c = QStringLiteral("Calendar");
    const TDateValue month = cal(1) ? cal(1)->Calendar->CalendarDate() : CalendarMonthDate(1);
    ini.WriteDate(c, QStringLiteral("Month"), month);
    ini.WriteInteger(c, QStringLiteral("Months"), N);
    ini.WriteColor(c, QStringLiteral("BackColor"), CalendarBackColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("BackColor_") + Num(n),
                       cal(n) ? cal(n)->Calendar->Color() : CalendarBackColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteBool(c, QStringLiteral("Transparent") + Num(n), back(n) && back(n)->AlphaBlendValue() == 0);
    ini.WriteColor(c, QStringLiteral("PanelColor"), CalendarPanelColor);
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("PanelColor_") + Num(n),
                       cal(n) ? cal(n)->Panel->Color() : CalendarPanelColor);
    ini.WriteInteger(c, QStringLiteral("AlphaBlendValue"), TrackBarAlphaBlend->value());
    for (int n = 1; n <= N; ++n)
        ini.WriteInteger(c, QStringLiteral("AlphaBlendValue_") + Num(n),
                         back(n) ? back(n)->AlphaBlendValue() : TrackBarAlphaBlend->value());
    ini.WriteColor(c, QStringLiteral("HolidayTextColor"), ColorBoxHolidayTextColor->Selected());
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("HolidayTextColor") + Num(n), HolidayTextColor[n]);
    ini.WriteColor(c, QStringLiteral("DayTextColor"), ColorBoxDayTextColor->Selected());
    for (int n = 1; n <= N; ++n)
        ini.WriteColor(c, QStringLiteral("DayTextColor") + Num(n),
                       cal(n) ? cal(n)->Calendar->FontColor() : ColorBoxDayTextColor->Selected());
    ini.WriteInteger(c, QStringLiteral("StartOfWeek"), RadioGroupFirstDayOfWeek->ItemIndex());
    ini.WriteInteger(c, QStringLiteral("MonthMode"), RadioGroupMonthMode->ItemIndex());
    ini.WriteInteger(c, QStringLiteral("WeekDayMode"), RadioGroupWeekDayMode->ItemIndex());
    ini.WriteBool(c, QStringLiteral("ShowRokuyo"), CheckBoxShowRokuyo->isChecked());
    ini.WriteBool(c, QStringLiteral("SameSize"), CheckBoxSameSize->isChecked());
    ini.WriteInteger(c, QStringLiteral("Count"), N);

    // 5. The calendar windows.
    for (int n = 1; n <= N; ++n) {
        const QString s = QStringLiteral("CalForm") + Num(n);
        const QRect g = cal(n) ? cal(n)->geometry() : QRect();
        ini.WriteInteger(s, QStringLiteral("Left"), g.x());
        ini.WriteInteger(s, QStringLiteral("Top"), g.y());
        ini.WriteInteger(s, QStringLiteral("Width"), g.width());
        ini.WriteInteger(s, QStringLiteral("Height"), g.height());
    }

    // 6, 7. The photos.
    ini.WriteInteger(QStringLiteral("Image"), QStringLiteral("Count"), M);
    for (int i = 0; i < M; ++i) {
        const QString s = QStringLiteral("Image") + Num(i);
        const TImage *photo = ImgPicture.value(i);
        const QRect g = photo ? photo->geometry() : QRect();
        ini.WriteInteger(s, QStringLiteral("Left"), g.x());
        ini.WriteInteger(s, QStringLiteral("Top"), g.y());
        ini.WriteInteger(s, QStringLiteral("Width"), g.width());
        ini.WriteInteger(s, QStringLiteral("Height"), g.height());
        ini.WriteString(s, QStringLiteral("FileName"), ImageFileName.value(i));
    }

    // 8. Sections of photos that no longer exist, up to the first gap.
    for (int k = M; ini.SectionExists(QStringLiteral("Image") + Num(k)); ++k)
        ini.EraseSection(QStringLiteral("Image") + Num(k));

    // 9.
    ini.WriteColor(QStringLiteral("Paper"), QStringLiteral("Color"), ColorBoxPaperColor->Selected());

    // 10. One atomic replacement of the whole file.
    if (!ini.Save()) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }

    // 11. The common calendar font; 12. each calendar's title font, with
    // its grid font's size.  Written together, each file replaced whole.
    std::vector<std::pair<QString, TCalendarFontRecord>> fonts;
    const QFont common = CalendarFontFace();
    fonts.emplace_back(CommonFontFilePath(FileName),
                       RecordOf(common, CalendarFontCharset.CharsetFor(common.family()), CalendarFontColor(),
                                PointsOf(common)));
    for (int n = 1; n <= N; ++n) {
        if (!cal(n))
            continue;
        const QFont title = cal(n)->Panel->font();
        fonts.emplace_back(CalendarFontFilePath(FileName, n),
                           RecordOf(title, TitleFontCharset[n].CharsetFor(title.family()),
                                    cal(n)->Panel->FontColor(), PointsOf(cal(n)->Calendar->font())));
    }
    QString fontError;
    if (WriteFontRecordFiles(fonts, &fontError) != int(fonts.size())) {
        dialogs::ShowMessage(SaveFailedMessage(fontError), this);
        return false;
    }
    return true;
}

} // namespace tamarie
