// The three settings pages: "設定1" (months and appearance), "設定2"
// (weekday rules, display options, schedule) and "画像/用紙".
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

QLabel *NewLabel(const QString &text, QWidget *parent, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QGroupBox *NewGroup(const QString &name, const QString &caption, QWidget *parent, const QRect &r)
{
    auto *g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    g->setGeometry(r);
    return g;
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

    Label9 = Named(NewLabel(QStringLiteral("表示する月:"), page, 6, 5), "Label9");
    LECalendarYear = Named(new TLabeledEdit(QStringLiteral("年"), TLabeledEdit::LabelPosition::Right, true, page),
                           "LECalendarYear");
    LECalendarYear->setGeometry(6, 22, 44, 22);
    LECalendarMonth = Named(new TLabeledEdit(QStringLiteral("月"), TLabeledEdit::LabelPosition::Right, true, page),
                            "LECalendarMonth");
    LECalendarMonth->setGeometry(72, 22, 30, 22);
    Label1 = Named(NewLabel(QStringLiteral("から"), page, 124, 26), "Label1");
    LECalendarMonths = Named(
        new TLabeledEdit(QStringLiteral("ヶ月"), TLabeledEdit::LabelPosition::Right, true, page), "LECalendarMonths");
    LECalendarMonths->setGeometry(152, 22, 30, 22);
    LECalendarMonths->setText(QStringLiteral("1"));
    Label2 = Named(NewLabel(QStringLiteral("(1～12)"), page, 216, 26), "Label2");
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, ValueToColor(clRed));
    Label2->setPalette(red);
    BtnOK = Named(new QPushButton(QStringLiteral("OK"), page), "BtnOK");
    BtnOK->setGeometry(222, 48, 76, 24);
    CheckBoxSameSize = Named(new QCheckBox(QStringLiteral("すべて同サイズにする"), page), "CheckBoxSameSize");
    CheckBoxSameSize->setGeometry(6, 50, 200, 20);

    const int left = 4, width = 296, listW = 88, valueX = 98, valueW = 192;
    int y = 76;
    auto nextGroup = [&](const char *name, const QString &caption, int height) {
        QGroupBox *g = NewGroup(QString::fromLatin1(name), caption, page, QRect(left, y, width, height));
        y += height + 2;
        return g;
    };

    PanelFont = nextGroup("PanelFont", QStringLiteral("フォント:"), 50);
    ComboBoxFontTekiyo = Named(CreateTekiyoList(PanelFont), "ComboBoxFontTekiyo");
    ComboBoxFontTekiyo->setGeometry(6, 20, listW, 24);
    BtnCalendarFont = Named(new QPushButton(QStringLiteral("変更"), PanelFont), "BtnCalendarFont");
    BtnCalendarFont->setGeometry(valueX, 20, 48, 24);
    LblFontName = Named(new QLabel(PanelFont), "LblFontName");
    LblFontName->setGeometry(valueX + 54, 20, valueW - 54, 24);
    LblFontName->setAutoFillBackground(true);
    QPalette green = LblFontName->palette();
    green.setColor(QPalette::Window, ValueToColor(clMoneyGreen));
    LblFontName->setPalette(green);

    PanelCalendarBackColor = nextGroup("PanelCalendarBackColor", QStringLiteral("カレンダーの背景色:"), 50);
    ComboBoxCalendarBackColorTekiyo = Named(CreateTekiyoList(PanelCalendarBackColor), "ComboBoxCalendarBackColorTekiyo");
    ComboBoxCalendarBackColorTekiyo->setGeometry(6, 20, listW, 24);
    ColorBoxCalendarBackColor =
        Named(new TColorBox(clSkyBlue, clWhite, PanelCalendarBackColor), "ColorBoxCalendarBackColor");
    ColorBoxCalendarBackColor->setGeometry(valueX, 20, valueW, 24);

    PanelYearMonthBackColor = nextGroup("PanelYearMonthBackColor", QStringLiteral("月の背景色:"), 72);
    ComboBoxYearMonthBackColorTekiyo =
        Named(CreateTekiyoList(PanelYearMonthBackColor), "ComboBoxYearMonthBackColorTekiyo");
    ComboBoxYearMonthBackColorTekiyo->setGeometry(6, 20, listW, 24);
    ColorBoxYearMonthBackColor =
        Named(new TColorBox(clMoneyGreen, -1, PanelYearMonthBackColor), "ColorBoxYearMonthBackColor");
    ColorBoxYearMonthBackColor->setGeometry(valueX, 20, valueW, 24);
    CheckBoxSameBackColor = Named(new QCheckBox(QStringLiteral("カレンダーの背景色と同色にする"), PanelYearMonthBackColor),
                                  "CheckBoxSameBackColor");
    CheckBoxSameBackColor->setGeometry(valueX, 46, valueW, 22);

    PanelAlphaBlend = nextGroup("PanelAlphaBlend", QStringLiteral("背景の透明度:"), 50);
    ComboBoxAlphaBlendTekiyo = Named(CreateTekiyoList(PanelAlphaBlend), "ComboBoxAlphaBlendTekiyo");
    ComboBoxAlphaBlendTekiyo->setGeometry(6, 20, listW, 24);
    NewLabel(QStringLiteral("大"), PanelAlphaBlend, valueX, 24);
    TrackBarAlphaBlend = Named(new QSlider(Qt::Horizontal, PanelAlphaBlend), "TrackBarAlphaBlend");
    TrackBarAlphaBlend->setRange(0, 255);
    TrackBarAlphaBlend->setSingleStep(10);
    TrackBarAlphaBlend->setPageStep(10);
    TrackBarAlphaBlend->setTickInterval(10);
    TrackBarAlphaBlend->setTickPosition(QSlider::TicksBelow);
    TrackBarAlphaBlend->setValue(220);
    TrackBarAlphaBlend->setGeometry(valueX + 16, 18, valueW - 34, 28);
    NewLabel(QStringLiteral("小"), PanelAlphaBlend, valueX + valueW - 14, 24);

    PanelHolidayTextColor = nextGroup("PanelHolidayTextColor", QStringLiteral("休日の文字色:"), 50);
    ComboBoxHolidayTextColorTekiyo = Named(CreateTekiyoList(PanelHolidayTextColor), "ComboBoxHolidayTextColorTekiyo");
    ComboBoxHolidayTextColorTekiyo->setGeometry(6, 20, listW, 24);
    ColorBoxHolidayTextColor = Named(new TColorBox(clRed, -1, PanelHolidayTextColor), "ColorBoxHolidayTextColor");
    ColorBoxHolidayTextColor->setGeometry(valueX, 20, valueW, 24);

    PanelDayTextColor = nextGroup("PanelDayTextColor", QStringLiteral("平日の文字色:"), 50);
    ComboBoxDayTextColorTekiyo = Named(CreateTekiyoList(PanelDayTextColor), "ComboBoxDayTextColorTekiyo");
    ComboBoxDayTextColorTekiyo->setGeometry(6, 20, listW, 24);
    ColorBoxDayTextColor = Named(new TColorBox(clBlack, -1, PanelDayTextColor), "ColorBoxDayTextColor");
    ColorBoxDayTextColor->setGeometry(valueX, 20, valueW, 24);
}

void TForm1::CreatePageCalendar2()
{
    auto *page = TabSheetCalendar2 = Named(new QWidget, "TabSheetCalendar2");
    PageControl1->addTab(page, QStringLiteral("設定2"));

    NewLabel(QStringLiteral("週の最初の曜日:"), page, 6, 4);
    RadioGroupFirstDayOfWeek = Named(new TRadioGroup(QString(), kWeekdays, 4, page), "RadioGroupFirstDayOfWeek");
    RadioGroupFirstDayOfWeek->setGeometry(4, 18, 296, 42);
    RadioGroupFirstDayOfWeek->SetItemIndex(0);

    NewLabel(QStringLiteral("休日の曜日(すべて):"), page, 6, 62);
    CheckListBoxHoliday = Named(new TCheckListBox(kWeekdays, 4, page), "CheckListBoxHoliday");
    CheckListBoxHoliday->setGeometry(4, 76, 296, 38);

    NewLabel(QStringLiteral("休日の曜日(一部):"), page, 6, 116);
    CheckListBoxHolidayNumberOf = Named(
        new TCheckListBox({QStringLiteral("第一"), QStringLiteral("第二"), QStringLiteral("第三"),
                           QStringLiteral("第四"), QStringLiteral("第五")},
                          3, page),
        "CheckListBoxHolidayNumberOf");
    CheckListBoxHolidayNumberOf->setGeometry(4, 130, 136, 38);
    CheckListBoxHolidayPartOf = Named(new TCheckListBox(kWeekdays, 4, page), "CheckListBoxHolidayPartOf");
    CheckListBoxHolidayPartOf->setGeometry(144, 130, 156, 38);

    NewLabel(QStringLiteral("月の表記:"), page, 6, 170);
    RadioGroupMonthMode = Named(new TRadioGroup(QString(),
                                                {QStringLiteral("yyyy年m月"), QStringLiteral("yyyy/m"),
                                                 QStringLiteral("m月"), QStringLiteral("m"),
                                                 QStringLiteral("英語(年あり)"), QStringLiteral("英語(月のみ)"),
                                                 QStringLiteral("和暦")},
                                                2, page),
                                "RadioGroupMonthMode");
    RadioGroupMonthMode->setGeometry(4, 184, 296, 76);
    RadioGroupMonthMode->SetItemIndex(0);

    NewLabel(QStringLiteral("曜日の表記:"), page, 6, 266);
    RadioGroupWeekDayMode = Named(
        new TRadioGroup(QString(), {QStringLiteral("\"日\""), QStringLiteral("\"Sun\"")}, 2, page),
        "RadioGroupWeekDayMode");
    RadioGroupWeekDayMode->setGeometry(76, 262, 140, 24);
    RadioGroupWeekDayMode->SetItemIndex(0);
    CheckBoxShowRokuyo = Named(new QCheckBox(QStringLiteral("六曜/二十四節季を表示する"), page), "CheckBoxShowRokuyo");
    CheckBoxShowRokuyo->setGeometry(6, 288, 290, 20);
    CheckBoxShowRokuyo->setChecked(true);

    PanelSchedule = NewGroup(QStringLiteral("PanelSchedule"), QString(), page, QRect(4, 310, 296, 112));
    LESchedule = Named(new TLabeledEdit(QStringLiteral("の予定"), TLabeledEdit::LabelPosition::Above, false,
                                        PanelSchedule),
                       "LESchedule");
    LESchedule->setGeometry(6, 22, 214, 22);
    LESchedule->setToolTip(QStringLiteral("入力してから[Enter]キーを押すとカレンダーに書き込まれます。"));
    CheckBoxIsHoliday = Named(new QCheckBox(QStringLiteral("休日"), PanelSchedule), "CheckBoxIsHoliday");
    CheckBoxIsHoliday->setGeometry(228, 23, 62, 20);
    RadioGroupMark = Named(new TRadioGroup(QStringLiteral("マーク"),
                                           {QStringLiteral("なし"), QStringLiteral("○"), QStringLiteral("□"),
                                            QStringLiteral("△"), QStringLiteral("X")},
                                           5, PanelSchedule),
                           "RadioGroupMark");
    RadioGroupMark->setGeometry(6, 46, 284, 40);
    RadioGroupMark->SetItemIndex(0);
    Label10 = Named(NewLabel(QStringLiteral("入力してから[Enter]キーを押すとカレンダーに書きこまれます。"), PanelSchedule, 6, 90),
                    "Label10");
}

void TForm1::CreatePagePictureAndPaper()
{
    auto *page = TabSheetPictureAndPaper = Named(new QWidget, "TabSheetPictureAndPaper");
    PageControl1->addTab(page, QStringLiteral("画像/用紙"));

    PanelPicture = NewGroup(QStringLiteral("PanelPicture"), QStringLiteral("画像"), page, QRect(4, 4, 296, 132));
    BtnAddPicture = Named(new QPushButton(QStringLiteral("画像追加"), PanelPicture), "BtnAddPicture");
    BtnAddPicture->setGeometry(10, 24, 100, 26);
    BtnDeletePicture = Named(new QPushButton(QStringLiteral("画像削除"), PanelPicture), "BtnDeletePicture");
    BtnDeletePicture->setGeometry(10, 58, 100, 26);
    BtnLoadPicture = Named(new QPushButton(QStringLiteral("画像変更"), PanelPicture), "BtnLoadPicture");
    BtnLoadPicture->setGeometry(10, 92, 100, 26);
    ImgThumbnail = Named(new QLabel(PanelPicture), "ImgThumbnail");
    ImgThumbnail->setGeometry(156, 24, 129, 97);
    ImgThumbnail->setAlignment(Qt::AlignCenter);

    PanelPaper = NewGroup(QStringLiteral("PanelPaper"), QStringLiteral("用紙"), page, QRect(4, 142, 296, 110));
    RadioGroupHoko = Named(
        new TRadioGroup(QStringLiteral("向き"), {QStringLiteral("縦"), QStringLiteral("横")}, 2, PanelPaper),
        "RadioGroupHoko");
    RadioGroupHoko->setGeometry(10, 20, 276, 44);
    RadioGroupHoko->SetItemIndex(0);
    NewLabel(QStringLiteral("色"), PanelPaper, 12, 78);
    ColorBoxPaperColor = Named(new TColorBox(clRed, clWhite, PanelPaper), "ColorBoxPaperColor");
    ColorBoxPaperColor->setGeometry(32, 74, 160, 24);

    RadioGroupOutput = Named(new TRadioGroup(QStringLiteral("出力"),
                                             {QStringLiteral("高精細"), QStringLiteral("画面どおり")}, 2, page),
                             "RadioGroupOutput");
    RadioGroupOutput->setGeometry(4, 258, 296, 48);
    RadioGroupOutput->SetItemIndex(0);
}

} // namespace tamarie
