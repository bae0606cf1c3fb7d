// The three settings pages: "設定1" (months and appearance), "設定2"
// (weekday rules, display options, schedule) and "画像/用紙".
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include "check_list_box.h"
#include "color_box.h"
#include "labeled_edit.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

// The pages are laid out by Qt layouts, so any font or text scale still fits.
QLabel *NewLabel(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

QGroupBox *NewGroup(const QString &name, const QString &caption, QWidget *parent)
{
    auto *g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

QVBoxLayout *PageLayout(QWidget *page, int spacing)
{
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(4, 4, 4, 2);
    v->setSpacing(spacing);
    return v;
}

QHBoxLayout *Row(QBoxLayout *into)
{
    auto *h = new QHBoxLayout;
    h->setSpacing(4);
    into->addLayout(h);
    return h;
}

// An edit with its caption to its right, both in one row.
void AddEdit(QHBoxLayout *row, TLabeledEdit *edit, int digits)
{
    edit->SetLabelInLayout();
    edit->SetCharsWide(digits);
    row->addWidget(edit);
    row->addWidget(edit->EditLabel());
}

QGridLayout *GroupGrid(QGroupBox *group)
{
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    return grid;
}

// Colour lists keep a steady width whatever their entries.
template <typename T> T *Steady(T *list, int chars)
{
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(chars);
    return list;
}

template <typename T> T *Named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

const QStringList kWeekdays = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
                               QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};

} // namespace

void TForm1::CreatePageCalendar1()
{
    auto *page = TabSheetCalendar1 = Named(new QWidget, "TabSheetCalendar1");
    PageControl1->addTab(page, QStringLiteral("設定1"));
    QVBoxLayout *v = PageLayout(page, 2);

    Label9 = Named(NewLabel(QStringLiteral("表示する月:"), page), "Label9");
    v->addWidget(Label9);
    QHBoxLayout *months = Row(v);
    LECalendarYear = Named(new TLabeledEdit(QStringLiteral("年"), TLabeledEdit::LabelPosition::Right, true, page),
                           "LECalendarYear");
    AddEdit(months, LECalendarYear, 4);
    LECalendarMonth = Named(new TLabeledEdit(QStringLiteral("月"), TLabeledEdit::LabelPosition::Right, true, page),
                            "LECalendarMonth");
    AddEdit(months, LECalendarMonth, 2);
    Label1 = Named(NewLabel(QStringLiteral("から"), page), "Label1");
    months->addWidget(Label1);
    LECalendarMonths = Named(
        new TLabeledEdit(QStringLiteral("ヶ月"), TLabeledEdit::LabelPosition::Right, true, page), "LECalendarMonths");
    AddEdit(months, LECalendarMonths, 2);
    LECalendarMonths->setText(QStringLiteral("1"));
    Label2 = Named(NewLabel(QStringLiteral("(1～12)"), page), "Label2");
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, ValueToColor(clRed));
    Label2->setPalette(red);
    months->addWidget(Label2);
    months->addStretch(1);

    QHBoxLayout *sameSize = Row(v);
    CheckBoxSameSize = Named(new QCheckBox(QStringLiteral("すべて同サイズにする"), page), "CheckBoxSameSize");
    sameSize->addWidget(CheckBoxSameSize);
    sameSize->addStretch(1);
    BtnOK = Named(new QPushButton(QStringLiteral("OK"), page), "BtnOK");
    BtnOK->setMinimumWidth(76);
    sameSize->addWidget(BtnOK);
    v->addSpacing(2);

    auto nextGroup = [&](const char *name, const QString &caption, QComboBox *&list) {
        QGroupBox *g = NewGroup(QString::fromLatin1(name), caption, page);
        v->addWidget(g);
        QGridLayout *grid = GroupGrid(g);
        list = Steady(CreateTekiyoList(g), 6);
        grid->addWidget(list, 0, 0);
        return std::pair{g, grid};
    };
    auto colorBox = [](QGridLayout *grid, TColorBox *box, const char *name) {
        grid->addWidget(Steady(Named(box, name), 6), 0, 1);
        return box;
    };

    auto [font, fontGrid] = nextGroup("PanelFont", QStringLiteral("フォント:"), ComboBoxFontTekiyo);
    PanelFont = font;
    Named(ComboBoxFontTekiyo, "ComboBoxFontTekiyo");
    auto *fontRow = new QHBoxLayout;
    fontRow->setSpacing(6);
    fontGrid->addLayout(fontRow, 0, 1);
    BtnCalendarFont = Named(new QPushButton(QStringLiteral("変更"), PanelFont), "BtnCalendarFont");
    BtnCalendarFont->setMinimumWidth(48);
    fontRow->addWidget(BtnCalendarFont);
    LblFontName = Named(new QLabel(PanelFont), "LblFontName");
    LblFontName->setMinimumHeight(BtnCalendarFont->sizeHint().height());
    LblFontName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LblFontName->setAutoFillBackground(true);
    QPalette green = LblFontName->palette();
    green.setColor(QPalette::Window, ValueToColor(clMoneyGreen));
    LblFontName->setPalette(green);
    fontRow->addWidget(LblFontName, 1);

    auto [back, backGrid] =
        nextGroup("PanelCalendarBackColor", QStringLiteral("カレンダーの背景色:"), ComboBoxCalendarBackColorTekiyo);
    PanelCalendarBackColor = back;
    Named(ComboBoxCalendarBackColorTekiyo, "ComboBoxCalendarBackColorTekiyo");
    ColorBoxCalendarBackColor = colorBox(backGrid, new TColorBox(clSkyBlue, clWhite, back),
                                         "ColorBoxCalendarBackColor");

    auto [ym, ymGrid] =
        nextGroup("PanelYearMonthBackColor", QStringLiteral("月の背景色:"), ComboBoxYearMonthBackColorTekiyo);
    PanelYearMonthBackColor = ym;
    Named(ComboBoxYearMonthBackColorTekiyo, "ComboBoxYearMonthBackColorTekiyo");
    ColorBoxYearMonthBackColor =
        colorBox(ymGrid, new TColorBox(clMoneyGreen, -1, ym), "ColorBoxYearMonthBackColor");
    CheckBoxSameBackColor =
        Named(new QCheckBox(QStringLiteral("カレンダーの背景色と同色にする"), ym), "CheckBoxSameBackColor");
    // Under the colour list, reaching left when the caption needs the room.
    ymGrid->addWidget(CheckBoxSameBackColor, 1, 0, 1, 2, Qt::AlignRight);

    auto [alpha, alphaGrid] = nextGroup("PanelAlphaBlend", QStringLiteral("背景の透明度:"), ComboBoxAlphaBlendTekiyo);
    PanelAlphaBlend = alpha;
    Named(ComboBoxAlphaBlendTekiyo, "ComboBoxAlphaBlendTekiyo");
    auto *alphaRow = new QHBoxLayout;
    alphaRow->setSpacing(2);
    alphaGrid->addLayout(alphaRow, 0, 1);
    alphaRow->addWidget(NewLabel(QStringLiteral("大"), alpha));
    TrackBarAlphaBlend = Named(new QSlider(Qt::Horizontal, alpha), "TrackBarAlphaBlend");
    TrackBarAlphaBlend->setRange(0, 255);
    TrackBarAlphaBlend->setSingleStep(10);
    TrackBarAlphaBlend->setPageStep(10);
    TrackBarAlphaBlend->setTickInterval(10);
    TrackBarAlphaBlend->setTickPosition(QSlider::TicksBelow);
    TrackBarAlphaBlend->setValue(220);
    alphaRow->addWidget(TrackBarAlphaBlend, 1);
    alphaRow->addWidget(NewLabel(QStringLiteral("小"), alpha));

    auto [holiday, holidayGrid] =
        nextGroup("PanelHolidayTextColor", QStringLiteral("休日の文字色:"), ComboBoxHolidayTextColorTekiyo);
    PanelHolidayTextColor = holiday;
    Named(ComboBoxHolidayTextColorTekiyo, "ComboBoxHolidayTextColorTekiyo");
    ColorBoxHolidayTextColor =
        colorBox(holidayGrid, new TColorBox(clRed, -1, holiday), "ColorBoxHolidayTextColor");

    auto [day, dayGrid] = nextGroup("PanelDayTextColor", QStringLiteral("平日の文字色:"), ComboBoxDayTextColorTekiyo);
    PanelDayTextColor = day;
    Named(ComboBoxDayTextColorTekiyo, "ComboBoxDayTextColorTekiyo");
    ColorBoxDayTextColor = colorBox(dayGrid, new TColorBox(clBlack, -1, day), "ColorBoxDayTextColor");
    v->addStretch(1);
}

void TForm1::CreatePageCalendar2()
{
    auto *page = TabSheetCalendar2 = Named(new QWidget, "TabSheetCalendar2");
    PageControl1->addTab(page, QStringLiteral("設定2"));
    QVBoxLayout *v = PageLayout(page, 0);

    v->addWidget(NewLabel(QStringLiteral("週の最初の曜日:"), page));
    RadioGroupFirstDayOfWeek = Named(new TRadioGroup(QString(), kWeekdays, 4, page), "RadioGroupFirstDayOfWeek");
    RadioGroupFirstDayOfWeek->SetItemIndex(0);
    v->addWidget(RadioGroupFirstDayOfWeek);

    v->addWidget(NewLabel(QStringLiteral("休日の曜日(すべて):"), page));
    CheckListBoxHoliday = Named(new TCheckListBox(kWeekdays, 4, page), "CheckListBoxHoliday");
    v->addWidget(CheckListBoxHoliday);

    v->addWidget(NewLabel(QStringLiteral("休日の曜日(一部):"), page));
    QHBoxLayout *partOf = Row(v);
    CheckListBoxHolidayNumberOf = Named(
        new TCheckListBox({QStringLiteral("第一"), QStringLiteral("第二"), QStringLiteral("第三"),
                           QStringLiteral("第四"), QStringLiteral("第五")},
                          3, page),
        "CheckListBoxHolidayNumberOf");
    partOf->addWidget(CheckListBoxHolidayNumberOf, 3);
    CheckListBoxHolidayPartOf = Named(new TCheckListBox(kWeekdays, 4, page), "CheckListBoxHolidayPartOf");
    partOf->addWidget(CheckListBoxHolidayPartOf, 4);

    v->addWidget(NewLabel(QStringLiteral("月の表記:"), page));
    RadioGroupMonthMode = Named(new TRadioGroup(QString(),
                                                {QStringLiteral("yyyy年m月"), QStringLiteral("yyyy/m"),
                                                 QStringLiteral("m月"), QStringLiteral("m"),
                                                 QStringLiteral("英語(年あり)"), QStringLiteral("英語(月のみ)"),
                                                 QStringLiteral("和暦")},
                                                2, page),
                                "RadioGroupMonthMode");
    RadioGroupMonthMode->SetItemIndex(0);
    v->addWidget(RadioGroupMonthMode);

    QHBoxLayout *weekDay = Row(v);
    weekDay->addWidget(NewLabel(QStringLiteral("曜日の表記:"), page));
    RadioGroupWeekDayMode = Named(
        new TRadioGroup(QString(), {QStringLiteral("\"日\""), QStringLiteral("\"Sun\"")}, 2, page),
        "RadioGroupWeekDayMode");
    RadioGroupWeekDayMode->SetItemIndex(0);
    weekDay->addWidget(RadioGroupWeekDayMode);
    weekDay->addStretch(1);
    CheckBoxShowRokuyo = Named(new QCheckBox(QStringLiteral("六曜/二十四節季を表示する"), page), "CheckBoxShowRokuyo");
    CheckBoxShowRokuyo->setChecked(true);
    v->addWidget(CheckBoxShowRokuyo);

    PanelSchedule = NewGroup(QStringLiteral("PanelSchedule"), QString(), page);
    v->addWidget(PanelSchedule);
    auto *grid = new QGridLayout(PanelSchedule);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    LESchedule = Named(new TLabeledEdit(QStringLiteral("の予定"), TLabeledEdit::LabelPosition::Above, false,
                                        PanelSchedule),
                       "LESchedule");
    LESchedule->SetLabelInLayout();
    LESchedule->setToolTip(QStringLiteral("入力してから[Enter]キーを押すとカレンダーに書き込まれます。"));
    grid->addWidget(LESchedule->EditLabel(), 0, 0, 1, 2);
    grid->addWidget(LESchedule, 1, 0);
    CheckBoxIsHoliday = Named(new QCheckBox(QStringLiteral("休日"), PanelSchedule), "CheckBoxIsHoliday");
    grid->addWidget(CheckBoxIsHoliday, 1, 1);
    RadioGroupMark = Named(new TRadioGroup(QStringLiteral("マーク"),
                                           {QStringLiteral("なし"), QStringLiteral("○"), QStringLiteral("□"),
                                            QStringLiteral("△"), QStringLiteral("X")},
                                           5, PanelSchedule),
                           "RadioGroupMark");
    RadioGroupMark->SetItemIndex(0);
    grid->addWidget(RadioGroupMark, 2, 0, 1, 2);
    Label10 = Named(NewLabel(QStringLiteral("入力してから[Enter]キーを押すとカレンダーに書きこまれます。"), PanelSchedule),
                    "Label10");
    // Wraps where the panel is narrower than the line (the panel makes room).
    Label10->setWordWrap(true);
    Label10->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(Label10, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    v->addStretch(1);
}

void TForm1::CreatePagePictureAndPaper()
{
    auto *page = TabSheetPictureAndPaper = Named(new QWidget, "TabSheetPictureAndPaper");
    PageControl1->addTab(page, QStringLiteral("画像/用紙"));
    QVBoxLayout *v = PageLayout(page, 2);

    PanelPicture = NewGroup(QStringLiteral("PanelPicture"), QStringLiteral("画像"), page);
    v->addWidget(PanelPicture);
    auto *picture = new QHBoxLayout(PanelPicture);
    picture->setContentsMargins(10, 6, 10, 8);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    picture->addLayout(buttons);
    BtnAddPicture = Named(new QPushButton(QStringLiteral("画像追加"), PanelPicture), "BtnAddPicture");
    BtnDeletePicture = Named(new QPushButton(QStringLiteral("画像削除"), PanelPicture), "BtnDeletePicture");
    BtnLoadPicture = Named(new QPushButton(QStringLiteral("画像変更"), PanelPicture), "BtnLoadPicture");
    for (QPushButton *b : {BtnAddPicture, BtnDeletePicture, BtnLoadPicture}) {
        b->setMinimumSize(100, 26);
        buttons->addWidget(b);
    }
    picture->addStretch(1);
    ImgThumbnail = Named(new QLabel(PanelPicture), "ImgThumbnail");
    ImgThumbnail->setFixedSize(129, 97);
    ImgThumbnail->setAlignment(Qt::AlignCenter);
    picture->addWidget(ImgThumbnail, 0, Qt::AlignVCenter);

    PanelPaper = NewGroup(QStringLiteral("PanelPaper"), QStringLiteral("用紙"), page);
    v->addWidget(PanelPaper);
    auto *paper = new QVBoxLayout(PanelPaper);
    paper->setContentsMargins(10, 4, 10, 8);
    paper->setSpacing(6);
    RadioGroupHoko = Named(
        new TRadioGroup(QStringLiteral("向き"), {QStringLiteral("縦"), QStringLiteral("横")}, 2, PanelPaper),
        "RadioGroupHoko");
    RadioGroupHoko->SetItemIndex(0);
    paper->addWidget(RadioGroupHoko);
    QHBoxLayout *color = Row(paper);
    color->addWidget(NewLabel(QStringLiteral("色"), PanelPaper));
    ColorBoxPaperColor = Named(new TColorBox(clRed, clWhite, PanelPaper), "ColorBoxPaperColor");
    Steady(ColorBoxPaperColor, 6)->setMinimumWidth(160);
    color->addWidget(ColorBoxPaperColor);
    color->addStretch(1);

    RadioGroupOutput = Named(new TRadioGroup(QStringLiteral("出力"),
                                             {QStringLiteral("高精細"), QStringLiteral("画面どおり")}, 2, page),
                             "RadioGroupOutput");
    RadioGroupOutput->SetItemIndex(0);
    v->addWidget(RadioGroupOutput);
    v->addStretch(1);
}

} // namespace tamarie
