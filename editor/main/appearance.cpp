// Per-month appearance: font, calendar and title backgrounds, translucency
// and the holiday and weekday text colours, for all months or one, and the
// two switches that tie titles to backgrounds and calendars to one size.
// Each change is a step of the document named after the setting.
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

#include "apply_to.h"
#include "calendar_form.h"
#include "color_box.h"
#include "dialogs.h"
#include "document_edits.h"
#include "font_color_dialogs.h"
#include "fonts.h"
#include "tform1.h"

namespace tamarie {

namespace {

const QString kFontStep = QStringLiteral("フォント");
const QString kBackColorStep = QStringLiteral("カレンダーの背景色");
const QString kPanelColorStep = QStringLiteral("月の背景色");
const QString kAlphaStep = QStringLiteral("透明度");
const QString kHolidayColorStep = QStringLiteral("休日の文字色");
const QString kDayColorStep = QStringLiteral("平日の文字色");

// The applier for each chosen calendar of an apply-to list.
template <typename F> Document Applied(Document d, int tekiyoIndex, F &&apply)
{
    for (int n : ChosenCalendars(d, tekiyoIndex))
        apply(d, n);
    return d;
}

} // namespace

void TForm1::BtnCalendarFontClick()
{
    const int i = ComboBoxFontTekiyo->currentIndex();
    if (i == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    const DocumentCalendar *source = Doc().Calendar(ApplyToSourceCalendar(i, CalendarCount()));
    if (!source)
        return;
    const QFont loaded = FontOfPointSize(source->gridFont, source->gridPoints);
    const TColorValue loadedColor = source->dayTextColor;
    // Once confirmed, the calendars' font is the dialog's own font, so
    // loading the dialog with a grid font changes it as well.
    if (!Doc().settings.font.followsCalendar1) {
        Document d = Doc();
        d.settings.font.font = source->gridFont;
        d.settings.font.points = source->gridPoints;
        d.settings.font.color = loadedColor;
        Adjust(d);
    }
    const auto answer = dialogs::ChooseFont(loaded, ResolveColorValue(loadedColor), this);
    if (!answer)
        return;
    Document d = Doc();
    CalendarFontChoice &font = d.settings.font;
    font.followsCalendar1 = false;
    font.font = answer->font;
    font.points = answer->font.pointSize() > 0 ? answer->font.pointSize() : RoundHalfEven(answer->font.pointSizeF());
    font.color = ColorToValue(answer->color);
    Edit(kFontStep, Applied(d, i, ApplyCalendarFont));
}

void TForm1::ColorBoxCalendarBackColorChange()
{
    Document d = Doc();
    d.settings.backColor = ColorBoxCalendarBackColor->Selected();
    const int i = ComboBoxCalendarBackColorTekiyo->currentIndex();
    if (!IsLoadingFile && i == -1)
        dialogs::ShowMessage(kChooseMonthMessage, this);
    Edit(kBackColorStep, IsLoadingFile ? d : Applied(d, i, ApplyCalendarBackColor));
}

void TForm1::ColorBoxYearMonthBackColorChange()
{
    Document d = Doc();
    d.settings.panelColor = ColorBoxYearMonthBackColor->Selected();
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (!IsLoadingFile && i == -1)
        dialogs::ShowMessage(kChooseMonthMessage, this);
    Edit(kPanelColorStep, IsLoadingFile ? d : Applied(d, i, ApplyCalendarPanelColor));
}

void TForm1::TrackBarAlphaBlendChange()
{
    Document d = Doc();
    d.settings.alpha = TrackBarAlphaBlend->value();
    const int i = ComboBoxAlphaBlendTekiyo->currentIndex();
    if (!IsLoadingFile && i == -1)
        dialogs::ShowMessage(kChooseMonthMessage, this);
    // A drag of the slider is one step; so are its keys and wheel in a row.
    const bool dragged = TrackBarAlphaBlend->isSliderDown();
    Edit(kAlphaStep, IsLoadingFile ? d : Applied(d, i, ApplyCalendarAlpha),
         {kMergeAlphaSlider, dragged ? SliderSerial : 0, dragged ? 0 : kWheelMergeMs});
}

void TForm1::ColorBoxHolidayTextColorChange()
{
    Document d = Doc();
    d.settings.holidayColor = ColorBoxHolidayTextColor->Selected();
    const int i = ComboBoxHolidayTextColorTekiyo->currentIndex();
    if (!IsLoadingFile && i == -1)
        dialogs::ShowMessage(kChooseMonthMessage, this);
    Edit(kHolidayColorStep, IsLoadingFile ? d : Applied(d, i, ApplyHolidayTextColor));
}

void TForm1::ColorBoxDayTextColorChange()
{
    Document d = Doc();
    d.settings.dayTextColor = ColorBoxDayTextColor->Selected();
    const int i = ComboBoxDayTextColorTekiyo->currentIndex();
    if (!IsLoadingFile && i == -1)
        dialogs::ShowMessage(kChooseMonthMessage, this);
    Edit(kDayColorStep, IsLoadingFile ? d : Applied(d, i, ApplyDayTextColor));
}

void TForm1::ComboBoxFontTekiyoChange()
{
    Edit(kFontStep, Applied(Doc(), ComboBoxFontTekiyo->currentIndex(), ApplyCalendarFont));
}

void TForm1::ComboBoxCalendarBackColorTekiyoChange()
{
    Edit(kBackColorStep, Applied(Doc(), ComboBoxCalendarBackColorTekiyo->currentIndex(), ApplyCalendarBackColor));
}

void TForm1::ComboBoxYearMonthBackColorTekiyoChange()
{
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (i < 0)
        return;
    Document d = Doc();
    if (d.settings.sameBackColor)
        ApplySameBackColor(d, i);
    else
        d = Applied(d, i, ApplyCalendarPanelColor);
    Edit(kPanelColorStep, d);
}

void TForm1::ComboBoxAlphaBlendTekiyoChange()
{
    Edit(kAlphaStep, Applied(Doc(), ComboBoxAlphaBlendTekiyo->currentIndex(), ApplyCalendarAlpha));
}

void TForm1::ComboBoxHolidayTextColorTekiyoChange()
{
    Edit(kHolidayColorStep, Applied(Doc(), ComboBoxHolidayTextColorTekiyo->currentIndex(), ApplyHolidayTextColor));
}

void TForm1::ComboBoxDayTextColorTekiyoChange()
{
    Edit(kDayColorStep, Applied(Doc(), ComboBoxDayTextColorTekiyo->currentIndex(), ApplyDayTextColor));
}

void TForm1::CheckBoxSameBackColorClick()
{
    if (IsStart || IsLoadingFile)
        return;
    Document d = Doc();
    d.settings.sameBackColor = CheckBoxSameBackColor->isChecked();
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (d.settings.sameBackColor && i != -1)
        ApplySameBackColor(d, i);
    Edit(kPanelColorStep, d);
}

void TForm1::CheckBoxSameSizeClick()
{
    Document d = Doc();
    d.settings.sameSize = CheckBoxSameSize->isChecked();
    if (!IsLoadingFile && d.settings.sameSize)
        MakeSameSize(d);
    Edit(QStringLiteral("すべて同サイズにする"), d);
}

} // namespace tamarie
