// Writing a work-state file: the editor captured as a WorkState, written as
// INI keys, then one font file for the common calendar font and one per calendar.
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QFrame>
#include <QSlider>
#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "data_folder.h"
#include "dialogs.h"
#include "ini_file.h"
#include "paper_offset.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"
#include "work_state_format.h"

namespace tamarie {

namespace {

const QString kSaveFailedMessage = QStringLiteral("保存に失敗しました。");

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

WorkState TForm1::CaptureWorkState()
{
    // The count is taken once; every per-calendar list below uses it.
    const int N = std::clamp(CalendarCount, 1, kMaxCalendars);
    const int M = std::max(0, ImgCount);
    auto cal = [this](int n) { return CalForm[n]; };
    auto back = [this](int n) { return ABackForm[n]; };

    WorkState s;
    s.maximized = isMaximized();
    s.mainWindow = frameGeometry();
    s.paper = Panel1->geometry();
    s.orientation = RadioGroupHoko->ItemIndex();
    s.month = cal(1) ? cal(1)->Calendar->CalendarDate() : CalendarMonthDate(1);
    s.months = N;
    s.backColor = CalendarBackColor;
    s.panelColor = CalendarPanelColor;
    s.alpha = TrackBarAlphaBlend->value();
    s.holidayColor = ColorBoxHolidayTextColor->Selected();
    s.dayTextColor = ColorBoxDayTextColor->Selected();
    s.options.firstDayOfWeek = RadioGroupFirstDayOfWeek->ItemIndex();
    s.options.monthMode = RadioGroupMonthMode->ItemIndex();
    s.options.weekDayMode = RadioGroupWeekDayMode->ItemIndex();
    s.options.showAlmanac = CheckBoxShowRokuyo->isChecked();
    s.sameSize = CheckBoxSameSize->isChecked();

    for (int n = 1; n <= N; ++n) {
        WorkStateCalendar c;
        c.window = cal(n) ? cal(n)->geometry() : QRect();
        c.backColor = cal(n) ? cal(n)->Calendar->Color() : CalendarBackColor;
        c.alpha = back(n) ? back(n)->AlphaBlendValue() : TrackBarAlphaBlend->value();
        c.panelColor = cal(n) ? cal(n)->Panel->Color() : CalendarPanelColor;
        c.holidayColor = HolidayTextColor[n];
        c.dayTextColor = cal(n) ? cal(n)->Calendar->FontColor() : ColorBoxDayTextColor->Selected();
        if (cal(n)) {
            // The title's face, style and colour, with the grid font's size.
            const QFont title = cal(n)->Panel->font();
            c.font = {FontRecordStatus::Ok, RecordOf(title, TitleFontCharset[n].CharsetFor(title.family()),
                                                     cal(n)->Panel->FontColor(), PointsOf(cal(n)->Calendar->font()))};
        }
        s.calendars.push_back(c);
    }

    for (int i = 0; i < M; ++i) {
        const TImage *photo = ImgPicture.value(i);
        s.photos.push_back({photo ? photo->geometry() : QRect(), ImageFileName.value(i), photo ? photo->QuarterTurns() : 0});
    }
    s.paperColor = ColorBoxPaperColor->Selected();

    const QFont common = CalendarFontFace();
    s.commonFont = {FontRecordStatus::Ok, RecordOf(common, CalendarFontCharset.CharsetFor(common.family()),
                                                   CalendarFontColor(), PointsOf(common))};
    return s;
}

bool TForm1::SaveWorkState(const QString &FileName)
{
    const WorkState state = CaptureWorkState();
    IniFile ini;
    if (!ini.Load(FileName)) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }
    WriteWorkState(ini, state);
    // One atomic replacement of the whole file.
    if (!ini.Save()) {
        dialogs::ShowMessage(SaveFailedMessage(FileReason(FileName, ini.ErrorString())), this);
        return false;
    }
    // The font files written together, each replaced whole.
    const auto fonts = WorkStateFontFiles(FileName, state);
    QString fontError;
    if (WriteFontRecordFiles(fonts, &fontError) != int(fonts.size())) {
        dialogs::ShowMessage(SaveFailedMessage(fontError), this);
        return false;
    }
    // What the file cannot say about this desktop, for drawing it elsewhere.
    WritePaperOffset(ConfigIniPath(DataFolda), PaperOffsetInFrame());
    return true;
}

QPoint TForm1::PaperOffsetInFrame() const
{
    return Panel1->mapToGlobal(Panel1->contentsRect().topLeft()) - frameGeometry().topLeft() - Panel1->pos();
}

} // namespace tamarie
