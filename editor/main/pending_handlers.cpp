// Handlers whose behaviour belongs to work still to come: the schedule
// panel, per-month appearance, the paper layout, photos, work-state files,
// pictures, printing and help.  They are wired to their controls already and
// do nothing yet; each moves to the file of its concern when it is written.
#include "tform1.h"

namespace tamarie {

void TForm1::CalendarDblClick(QObject *) {}
void TForm1::BackFormDblClick(QObject *) {}
void TForm1::ShowScheduleOfDate() {}
void TForm1::RadioGroupMarkClick() {}
void TForm1::CheckBoxIsHolidayClick() {}
void TForm1::CheckListBoxHolidayClick() {}
void TForm1::CheckListBoxHolidayPartOfClick() {}
void TForm1::CheckListBoxHolidayNumberOfClick() {}
void TForm1::BtnCalendarFontClick() {}
void TForm1::ColorBoxCalendarBackColorChange() {}
void TForm1::ColorBoxYearMonthBackColorChange() {}
void TForm1::TrackBarAlphaBlendChange() {}
void TForm1::ColorBoxHolidayTextColorChange() {}
void TForm1::ColorBoxDayTextColorChange() {}
void TForm1::ComboBoxFontTekiyoChange() {}
void TForm1::ComboBoxCalendarBackColorTekiyoChange() {}
void TForm1::ComboBoxYearMonthBackColorTekiyoChange() {}
void TForm1::ComboBoxAlphaBlendTekiyoChange() {}
void TForm1::ComboBoxHolidayTextColorTekiyoChange() {}
void TForm1::ComboBoxDayTextColorTekiyoChange() {}
void TForm1::CheckBoxSameBackColorClick() {}
void TForm1::CheckBoxSameSizeClick() {}
void TForm1::FormResize() {}
void TForm1::RadioGroupHokoClick() {}
void TForm1::ColorBoxPaperColorChange() {}
void TForm1::BtnAddPictureClick() {}
void TForm1::BtnDeletePictureClick() {}
void TForm1::BtnLoadPictureClick() {}
void TForm1::MenuTopClick() {}
void TForm1::MenuBackClick() {}
void TForm1::MenuOpenClick() {}
void TForm1::MenuSaveAsFileClick() {}
void TForm1::MenuReSaveClick() {}
void TForm1::MenuSaveAsPictureClick() {}
void TForm1::MenuPrintClick() {}
void TForm1::MenuHelpClick() {}
void TForm1::MenuVersionClick() {}

} // namespace tamarie
