// Per-month appearance: font, calendar and title backgrounds, translucency
// and the holiday and weekday text colours, for all months or one, and the
// two switches that tie titles to backgrounds and calendars to one size.
#include <QFontInfo>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "apply_to.h"
#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "dialogs.h"
#include "font_color_dialogs.h"
#include "fonts.h"
#include "tform1.h"
#include "wheel_steps.h"

namespace tamarie {

namespace {

int PointsOf(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return font.pointSizeF() > 0 ? RoundHalfEven(font.pointSizeF()) : QFontInfo(font).pointSize();
}

// The calendars of an apply-to list that exist.
template <typename F> void ForChosen(const TForm1 &form, int index, F &&apply)
{
    for (int n : ApplyToTargets(index, form.CalendarCount).calendars)
        if (n >= 1 && n <= kMaxCalendars && form.CalForm[n])
            apply(n);
}

void SetLabelBackground(QLabel *label, TColorValue color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ValueToColor(color));
    label->setPalette(pal);
}

} // namespace

void TForm1::ApplyCalendarFont(int N)
{
    if (N < 1 || N > kMaxCalendars || !CalForm[N])
        return;
    const QFont chosen = CalendarFontFace();
    const int points = PointsOf(chosen);
    TplCalendarForm *cal = CalForm[N];

    // The grid's colour is the weekday text colour and stays.
    QFont grid = cal->Calendar->font();
    grid.setFamily(chosen.family());
    grid.setBold(chosen.bold());
    grid.setWeight(chosen.weight());
    grid.setItalic(chosen.italic());
    grid.setUnderline(chosen.underline());
    grid.setStrikeOut(chosen.strikeOut());
    grid.setPointSize(std::max(1, points));
    cal->Calendar->setFont(grid);

    QFont title = grid;
    title.setPointSize(std::max(1, TitlePointSize(points)));
    cal->Panel->setFont(title);
    cal->Panel->SetFontColor(CalendarFontColor());
    cal->update();
}

void TForm1::BtnCalendarFontClick()
{
    const int i = ComboBoxFontTekiyo->currentIndex();
    if (i == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    const int source = ApplyToSourceCalendar(i, CalendarCount);
    if (source == 0 || !CalForm[source])
        return;
    const QFont loaded = CalForm[source]->Calendar->font();
    const TColorValue loadedColor = CalForm[source]->Calendar->FontColor();
    // Once confirmed, the calendars' font is the dialog's own font, so
    // loading the dialog with a grid font changes it as well.
    if (!CalendarFont.FollowsCalendar1) {
        CalendarFont.Font = loaded;
        CalendarFont.Color = loadedColor;
    }
    const auto answer = dialogs::ChooseFont(loaded, ResolveColorValue(loadedColor), this);
    if (!answer)
        return;
    CalendarFont.FollowsCalendar1 = false;
    CalendarFont.Font = answer->font;
    CalendarFont.Color = ColorToValue(answer->color);

    ForChosen(*this, i, [this](int n) { ApplyCalendarFont(n); });

    QFont face = LblFontName->font();
    face.setFamily(answer->font.family());
    LblFontName->setFont(face);
    LblFontName->setText(fonts::FaceShown(answer->font.family()));
    QPalette pal = LblFontName->palette();
    pal.setColor(QPalette::WindowText, answer->color);
    LblFontName->setPalette(pal);
}

void TForm1::ColorBoxCalendarBackColorChange()
{
    CalendarBackColor = ColorBoxCalendarBackColor->Selected();
    if (IsLoadingFile)
        return;
    const int i = ComboBoxCalendarBackColorTekiyo->currentIndex();
    if (i == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    ForChosen(*this, i, [this](int n) { ApplyCalendarBackColor(n); });
}

void TForm1::ColorBoxYearMonthBackColorChange()
{
    CalendarPanelColor = ColorBoxYearMonthBackColor->Selected();
    SetLabelBackground(LblFontName, CalendarPanelColor);
    if (IsLoadingFile)
        return;
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (i == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    ForChosen(*this, i, [this](int n) { CalForm[n]->Panel->SetColor(CalendarPanelColor); });
}

void TForm1::TrackBarAlphaBlendChange()
{
    if (IsLoadingFile)
        return;
    const int i = ComboBoxAlphaBlendTekiyo->currentIndex();
    if (i == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    ForChosen(*this, i, [this](int n) {
        if (ABackForm[n])
            ABackForm[n]->SetAlphaBlendValue(TrackBarAlphaBlend->value());
    });
}

void TForm1::ColorBoxHolidayTextColorChange()
{
    if (IsLoadingFile)
        return;
    if (ComboBoxHolidayTextColorTekiyo->currentIndex() == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    ApplyHolidayTextColor();
}

void TForm1::ColorBoxDayTextColorChange()
{
    if (IsLoadingFile)
        return;
    if (ComboBoxDayTextColorTekiyo->currentIndex() == -1) {
        dialogs::ShowMessage(kChooseMonthMessage, this);
        return;
    }
    ApplyDayTextColor();
}

void TForm1::ApplyHolidayTextColor()
{
    ForChosen(*this, ComboBoxHolidayTextColorTekiyo->currentIndex(), [this](int n) {
        HolidayTextColor[n] = ColorBoxHolidayTextColor->Selected();
        CalForm[n]->Calendar->update();
    });
}

void TForm1::ApplyDayTextColor()
{
    ForChosen(*this, ComboBoxDayTextColorTekiyo->currentIndex(), [this](int n) {
        CalForm[n]->Calendar->SetFontColor(ColorBoxDayTextColor->Selected());
        CalForm[n]->Calendar->update();
    });
}

void TForm1::ComboBoxFontTekiyoChange()
{
    ForChosen(*this, ComboBoxFontTekiyo->currentIndex(), [this](int n) { ApplyCalendarFont(n); });
}

void TForm1::ComboBoxCalendarBackColorTekiyoChange()
{
    ForChosen(*this, ComboBoxCalendarBackColorTekiyo->currentIndex(), [this](int n) { ApplyCalendarBackColor(n); });
}

void TForm1::ComboBoxYearMonthBackColorTekiyoChange()
{
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (i < 0)
        return;
    if (!CheckBoxSameBackColor->isChecked()) {
        ForChosen(*this, i, [this](int n) { CalForm[n]->Panel->SetColor(CalendarPanelColor); });
        return;
    }
    ApplySameBackColor(i);
}

void TForm1::ApplySameBackColor(int TekiyoIndex)
{
    ForChosen(*this, TekiyoIndex, [this](int n) { CalForm[n]->Panel->SetColor(CalForm[n]->Calendar->Color()); });
    const int source = ApplyToSourceCalendar(TekiyoIndex, CalendarCount);
    if (source == 0 || !CalForm[source])
        return;
    {
        // Showing the colour in the list must not spread it over the other
        // chosen titles through the list's own change handler.
        const QSignalBlocker block(ColorBoxYearMonthBackColor);
        ColorBoxYearMonthBackColor->SetSelected(CalForm[source]->Panel->Color());
    }
    CalendarPanelColor = ColorBoxYearMonthBackColor->Selected();
    SetLabelBackground(LblFontName, CalendarPanelColor);
}

void TForm1::ComboBoxAlphaBlendTekiyoChange()
{
    ForChosen(*this, ComboBoxAlphaBlendTekiyo->currentIndex(), [this](int n) {
        if (ABackForm[n])
            ABackForm[n]->SetAlphaBlendValue(TrackBarAlphaBlend->value());
    });
}

void TForm1::ComboBoxHolidayTextColorTekiyoChange()
{
    if (ComboBoxHolidayTextColorTekiyo->currentIndex() >= 0)
        ApplyHolidayTextColor();
}

void TForm1::ComboBoxDayTextColorTekiyoChange()
{
    if (ComboBoxDayTextColorTekiyo->currentIndex() >= 0)
        ApplyDayTextColor();
}

void TForm1::CheckBoxSameBackColorClick()
{
    if (IsStart || IsLoadingFile)
        return;
    const bool checked = CheckBoxSameBackColor->isChecked();
    const int i = ComboBoxYearMonthBackColorTekiyo->currentIndex();
    if (checked && i != -1)
        ApplySameBackColor(i);
    ColorBoxYearMonthBackColor->setEnabled(!checked);
}

void TForm1::CheckBoxSameSizeClick()
{
    if (IsLoadingFile || !CheckBoxSameSize->isChecked() || CalendarCount < 2 || !CalForm[1])
        return;
    const QSize stored = StoredSize(CalForm[1], CalForm[1]->size(), kMinShownCalendar);
    for (int n = 2; n <= CalendarCount; ++n) {
        TplCalendarForm *cal = CalForm[n];
        if (!cal)
            continue;
        cal->resize(RememberStoredSize(cal, stored, kMinShownCalendar));
        if (ABackForm[n])
            ABackForm[n]->resize(cal->size());
        LayoutCalendar(n);
    }
}

} // namespace tamarie
