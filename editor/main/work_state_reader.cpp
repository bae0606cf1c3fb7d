// Reading a work-state file back into the editor.  The order matters: later
// steps rely on windows created and values set by earlier ones, and setting
// a control runs its change handler (which does next to nothing while
// IsLoadingFile is true).
#include <QFontInfo>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "dialogs.h"
#include "ini_file.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

// More photo sections than this are not read from a file whose count is
// negative or absurd.
constexpr int kMaxWorkStatePhotos = 100;

namespace {

const QString kUnreadableMessage = QStringLiteral("作業状態ファイルを読み込めません。");

QString Num(int n) { return QString::number(n); }

// Window-system coordinates and sizes stay in the 16-bit range X11 can take.
int Coord(std::int32_t v) { return std::clamp<std::int32_t>(v, -32768, 32767); }
int Extent(std::int32_t v) { return std::clamp<std::int32_t>(v, 0, 32767); }

QRect ReadBounds(const IniFile &ini, const QString &section, const QRect &def)
{
    const int left = Coord(ini.ReadInteger(section, QStringLiteral("Left"), def.x()));
    const int top = Coord(ini.ReadInteger(section, QStringLiteral("Top"), def.y()));
    const int width = Extent(ini.ReadInteger(section, QStringLiteral("Width"), def.width()));
    const int height = Extent(ini.ReadInteger(section, QStringLiteral("Height"), def.height()));
    return QRect(left, top, width, height);
}

void SetTextColor(QLabel *label, TColorValue color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ResolveColorValue(color));
    label->setPalette(pal);
}

void SetBackground(QLabel *label, TColorValue color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ResolveColorValue(color));
    label->setPalette(pal);
}

QFont WithRecord(QFont font, const TCalendarFontRecord &r, int points)
{
    font.setFamily(r.Name);
    font.setPointSize(points);
    ApplyFontStyleBits(font, r.Style);
    return font;
}

// The number of photos to read: the file's count, or for a count no file of
// ours holds, the photo sections present in a row (at most the maximum).
int PhotoCountToRead(const IniFile &ini)
{
    const std::int32_t m = ini.ReadInteger(QStringLiteral("Image"), QStringLiteral("Count"), 0);
    if (m >= 0 && m <= kMaxWorkStatePhotos)
        return m;
    int present = 0;
    while (present < kMaxWorkStatePhotos && ini.SectionExists(QStringLiteral("Image") + Num(present)))
        ++present;
    return present;
}

} // namespace

bool TForm1::LoadWorkState(const QString &FileName)
{
    // 1. The common calendar font, when its face is installed.
    const QString commonPath = CommonFontFilePath(FileName);
    const FontRecordResult common = ReadFontRecordFile(commonPath);
    if (common.Status == FontRecordStatus::Unreadable || common.Status == FontRecordStatus::TooShort) {
        dialogs::ShowMessage(FontRecordErrorMessage(commonPath, common.Status), this);
        return false;
    }
    if (common.Status == FontRecordStatus::Ok && FontFaceInstalled(common.Record.Name)) {
        const TCalendarFontRecord &r = common.Record;
        const int points = SaneFontPointSize(r.Size);
        // While the calendars' font is calendar 1's grid font, that font is the one set.
        if (CalendarFont.FollowsCalendar1 && CalForm[1]) {
            CalForm[1]->Calendar->setFont(WithRecord(CalForm[1]->Calendar->font(), r, points));
            CalForm[1]->Calendar->SetFontColor(r.Color);
        } else {
            CalendarFont.Font = WithRecord(CalendarFont.Font, r, points);
            CalendarFont.Color = r.Color;
        }
        CalendarFontCharset = {r.Name, r.Charset};
        QFont face = LblFontName->font();
        face.setFamily(r.Name);
        LblFontName->setFont(face);
        // The face drawn: a Windows face name is shown as its substitute.
        LblFontName->setText(QFontInfo(face).family());
        SetTextColor(LblFontName, r.Color);
    }

    // 2.
    if (!QFileInfo::exists(FileName))
        return true;
    IniFile ini;
    if (!ini.Load(FileName)) {
        dialogs::ShowMessage(kUnreadableMessage, this);
        return false;
    }
    const QString c = QStringLiteral("Calendar");

    // 3. The first month.
    const TDateValue d = ini.ReadDate(c, QStringLiteral("Month"), DateToValue(QDate::currentDate()));
    const QDate first = ValueToDate(d);
    LECalendarYear->setText(Num(first.year()));
    LECalendarMonth->setText(Num(first.month()));

    // 4.
    LECalendarMonths->setText(Num(ini.ReadInteger(c, QStringLiteral("Months"), 1)));

    // 5, 6.
    CalendarBackColor = ini.ReadColor(c, QStringLiteral("BackColor"), CalendarBackColor);
    ColorBoxCalendarBackColor->SetSelected(CalendarBackColor);
    CalendarPanelColor = ini.ReadColor(c, QStringLiteral("PanelColor"), CalendarPanelColor);
    ColorBoxYearMonthBackColor->SetSelected(CalendarPanelColor);
    SetBackground(LblFontName, CalendarPanelColor);

    // 7 to 10. The settings controls.
    TrackBarAlphaBlend->setValue(ini.ReadInteger(c, QStringLiteral("AlphaBlendValue"), TrackBarAlphaBlend->value()));
    ColorBoxHolidayTextColor->SetSelected(ini.ReadColor(c, QStringLiteral("HolidayTextColor"), clRed));
    ColorBoxDayTextColor->SetSelected(ini.ReadColor(c, QStringLiteral("DayTextColor"), clBlack));
    RadioGroupFirstDayOfWeek->SetItemIndex(
        ini.ReadInteger(c, QStringLiteral("StartOfWeek"), RadioGroupFirstDayOfWeek->ItemIndex()));
    RadioGroupMonthMode->SetItemIndex(ini.ReadInteger(c, QStringLiteral("MonthMode"), RadioGroupMonthMode->ItemIndex()));
    RadioGroupWeekDayMode->SetItemIndex(
        ini.ReadInteger(c, QStringLiteral("WeekDayMode"), RadioGroupWeekDayMode->ItemIndex()));
    CheckBoxShowRokuyo->setChecked(ini.ReadBool(c, QStringLiteral("ShowRokuyo"), CheckBoxShowRokuyo->isChecked()));
    CheckBoxSameSize->setChecked(ini.ReadBool(c, QStringLiteral("SameSize"), false));

    // 11. The calendar count; surplus pairs are hidden and kept for reuse.
    const int old = CalendarCount;
    CalendarCount = std::clamp<std::int32_t>(ini.ReadInteger(c, QStringLiteral("Count"), CalendarCount), 1,
                                             kMaxCalendars);
    for (int n = CalendarCount + 1; n <= old; ++n) {
        if (CalForm[n])
            CalForm[n]->hide();
        if (ABackForm[n])
            ABackForm[n]->hide();
    }
    for (int n = old + 1; n <= CalendarCount; ++n)
        CreateCalendarPair(n);

    // 12. Each calendar.
    const int alphaDefault = TrackBarAlphaBlend->value();
    for (int n = 1; n <= CalendarCount; ++n) {
        TplCalendarForm *cal = CalForm[n];
        TBackForm *back = ABackForm[n];
        if (!cal || !back)
            continue;
        const QString s = QStringLiteral("CalForm") + Num(n);
        cal->setGeometry(ReadBounds(ini, s, cal->geometry()));
        back->setGeometry(cal->geometry());
        cal->show();
        back->show();
        back->StackBehindCalendar();

        QDate month = first.addMonths(n - 1);
        if (!month.isValid() || month.year() > 9999)
            month = first;
        cal->Calendar->SetCalendarDate(DateToValue(month));

        const TColorValue backColor = ini.ReadColor(c, QStringLiteral("BackColor_") + Num(n), CalendarBackColor);
        cal->Calendar->SetColor(backColor);
        cal->SetColor(backColor);
        cal->SetTransparentColorValue(backColor);
        back->SetColor(backColor);

        if (ini.ReadBool(c, QStringLiteral("Transparent") + Num(n), false))
            back->SetAlphaBlendValue(0);
        else
            back->SetAlphaBlendValue(ini.ReadInteger(c, QStringLiteral("AlphaBlendValue_") + Num(n), alphaDefault) &
                                     0xFF);

        cal->Panel->SetColor(ini.ReadColor(c, QStringLiteral("PanelColor_") + Num(n), CalendarPanelColor));
        HolidayTextColor[n] = ini.ReadColor(c, QStringLiteral("HolidayTextColor") + Num(n), clRed);
        cal->Calendar->SetFontColor(ini.ReadColor(c, QStringLiteral("DayTextColor") + Num(n), clBlack));

        // The calendar's own fonts, whether or not the face is installed.
        const QString fontPath = CalendarFontFilePath(FileName, n);
        const FontRecordResult own = ReadFontRecordFile(fontPath);
        if (own.Status == FontRecordStatus::Unreadable || own.Status == FontRecordStatus::TooShort) {
            dialogs::ShowMessage(FontRecordErrorMessage(fontPath, own.Status), this);
            return false;
        }
        CalendarFontLoaded[n] = own.Status == FontRecordStatus::Ok;
        if (CalendarFontLoaded[n]) {
            const TCalendarFontRecord &r = own.Record;
            const int points = SaneFontPointSize(r.Size);
            cal->Calendar->setFont(WithRecord(cal->Calendar->font(), r, points));
            cal->Panel->setFont(WithRecord(cal->Panel->font(), r, RoundHalfEven(points * 1.5)));
            cal->Panel->SetFontColor(r.Color);
            TitleFontCharset[n] = {r.Name, r.Charset};
        }
    }

    // 13 to 15.
    for (int n = 1; n <= CalendarCount; ++n)
        LayoutCalendar(n);
    RefreshMonthLists(d);
    UpdateMonthTitles();

    // 16. A file of the older single-photo layout is converted on disk.  A
    // file that cannot be rewritten is still read in the converted form.
    const QString image = QStringLiteral("Image");
    if (ini.ValueExists(image, QStringLiteral("Left"))) {
        ini.WriteInteger(image, QStringLiteral("Count"), 1);
        for (const char *key : {"Left", "Top", "Width", "Height"})
            ini.WriteInteger(QStringLiteral("Image0"), QString::fromLatin1(key),
                             ini.ReadInteger(image, QString::fromLatin1(key), 0));
        ini.WriteString(QStringLiteral("Image0"), QStringLiteral("FileName"),
                        ini.ReadString(image, QStringLiteral("FileName")));
        for (const char *key : {"Left", "Top", "Width", "Height", "FileName"})
            ini.EraseKey(image, QString::fromLatin1(key));
        ini.Save();
    }

    // 17. As many photos as the file holds, added empty or removed from the top.
    const int m = PhotoCountToRead(ini);
    if (PhotoLayers) {
        while (ImgCount < m) {
            const int before = ImgCount;
            BtnAddPictureClickFrom(MenuOpen);
            if (ImgCount == before)
                break;
        }
        while (ImgCount > m) {
            const int before = ImgCount;
            PhotoLayers->Select(ImgCount - 1);
            BtnDeletePictureClickFrom(MenuOpen);
            if (ImgCount == before)
                break;
        }
    }

    // 18. Their bounds and pictures.
    if (ImgCount <= 0) {
        SelectedImgPictureNo = -1;
        ShowThumbnailOf(QImage());
    } else {
        for (int i = 0; i < ImgCount && i < ImgPicture.size(); ++i) {
            const QString s = image + Num(i);
            TImage *photo = ImgPicture[i];
            photo->setGeometry(ReadBounds(ini, s, QRect(0, 0, 0, 0)));
            const QString name = ini.ReadString(s, QStringLiteral("FileName"));
            if (i < ImageFileName.size())
                ImageFileName[i] = name;
            if (name.isEmpty()) {
                photo->SetPicture(QImage());
                continue;
            }
            DecodedPhoto decoded = DecodePhoto(name);
            if (decoded.image.isNull()) {
                dialogs::ShowMessage(decoded.error, this);
                return false;
            }
            photo->SetPicture(decoded.image);
        }
        if (PhotoLayers)
            PhotoLayers->Select(0);
    }

    // 19. The paper colour (the colour box's handler colours the paper).
    ColorBoxPaperColor->SetSelected(ini.ReadColor(QStringLiteral("Paper"), QStringLiteral("Color"), clWhite));
    ColorBoxPaperColorChange();

    // 20. The main window's placement.
    const QString form = QStringLiteral("Form1");
    if (ini.ReadBool(form, QStringLiteral("IsMaximized"), false)) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        const QRect frame = frameGeometry();
        const QRect bounds = ReadBounds(ini, form, frame);
        move(bounds.topLeft());
        // Width and Height are the outer size; the decorations are not ours to size.
        resize(std::max(1, bounds.width() - (frame.width() - width())),
               std::max(1, bounds.height() - (frame.height() - height())));
    }
    // The new state and size reach the client area through the event queue.
    QApplication::processEvents();

    // 21, 22.
    PanelConfig->move(ClientWidth() - PanelConfig->width() - 10, PanelConfig->y());
    RadioGroupHoko->SetItemIndex(ini.ReadInteger(QStringLiteral("Hoko"), QStringLiteral("Value"),
                                                 RadioGroupHoko->ItemIndex()));

    // 23. The paper, narrowed to the space left of the settings panel.
    const QString panel = QStringLiteral("Panel");
    const int left = Coord(ini.ReadInteger(panel, QStringLiteral("Left"), 0));
    const int top = Coord(ini.ReadInteger(panel, QStringLiteral("Top"), 0));
    int width = Extent(ini.ReadInteger(panel, QStringLiteral("Width"), Panel1->width()));
    int height = Panel1->height();
    if (PanelConfig->x() - 5 < width) {
        width = std::max(0, PanelConfig->x() - 5);
        if (RadioGroupHoko->ItemIndex() == 0)
            height = RoundHalfEven(width * 1.4);
        else if (RadioGroupHoko->ItemIndex() == 1)
            height = RoundHalfEven(width / 1.4);
    } else {
        height = Extent(ini.ReadInteger(panel, QStringLiteral("Height"), Panel1->height()));
    }
    Panel1->setGeometry(left, top, width, height);

    // 24.
    CurrentPanelWidth = Panel1->width();
    CurrentPanelHeight = Panel1->height();
    UpdateScrollRange();

    // 25.
    QApplication::processEvents();
    // The size now on screen is laid out; a resize that settles later with
    // the same size changes nothing.
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    return true;
}

} // namespace tamarie
