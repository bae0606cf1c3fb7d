// Construction of the main window: the paper, the settings panel, the menus
// and the wiring of every control to its handler.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "check_list_box.h"
#include "color_box.h"
#include "data_folder.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

void FillBackground(QWidget *w, TColorValue color)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ValueToColor(color));
    w->setPalette(pal);
}

// The usual size, larger when the text scale needs it; the window scrolls only
// when it is smaller than the panel.
void FitSettingsPanel(QWidget *panel, QLabel *help, QLabel *wrapped)
{
    // The style's sizes count, so the panel is final before the first showing.
    panel->ensurePolished();
    help->setFixedHeight(std::max(115, help->fontMetrics().lineSpacing() * 7 + 10));
    for (int round = 0; round < 2; ++round) {
        const QSize need = panel->layout()->sizeHint().expandedTo(panel->layout()->minimumSize());
        panel->resize(std::max(313, need.width()), std::max(565, need.height()));
        panel->layout()->activate();
        // The pages do not pass a wrapped line's height on: give it as a minimum.
        const int lines = wrapped->heightForWidth(wrapped->width());
        if (lines <= 0 || lines == wrapped->minimumHeight())
            break;
        wrapped->setMinimumHeight(lines);
        panel->layout()->invalidate();
    }
}

} // namespace

TForm1::TForm1(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("無題-タマリエ"));
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(9);
    setFont(f);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(true);
    ClientArea = new QWidget;
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ScrollBox->setWidget(ClientArea);
    setCentralWidget(ScrollBox);
    ClientArea->installEventFilter(this);

    History = new DocumentHistory(this);
    CreateMenus();
    CreatePaper();
    CreateSettingsPanel();

    // Normal size 753 x 639 (the client area below the menu bar), centred.
    resize(753, 639 + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }

    FormCreate();
    ConnectHandlers();
    SetUpPhotosLayoutAndHooks();
    SetUpRecentFiles();
    SetUpFileDrops();

    // The controls show the start document as made; its photo controls and
    // thumbnail come now, its calendars with the first showing.
    Shown = Doc();
    Shown.calendars.clear();
    Shown.photos.clear();
    Shown.photoOrder.clear();
    Shown.selectedPhoto = -1;
    connect(History, &DocumentHistory::Changed, this, &TForm1::ShowDocument);
    ShowDocument();
}

TForm1::~TForm1()
{
    // The history goes with the window's children, after this part of the
    // window: its stack signals as it clears, and nothing here may answer.
    History->Stack()->disconnect(this);
    History->disconnect(this);
}

void TForm1::CreateMenus()
{
    MenuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MenuOpen = MenuFile->addAction(QStringLiteral("作業状態読み込み(&O)"));
    MenuOpen->setObjectName(QStringLiteral("MenuOpen"));
    MenuFile->addSeparator();
    MenuSaveAsFile = MenuFile->addAction(QStringLiteral("名前を付けて作業状態を保存(&N)"));
    MenuSaveAsFile->setObjectName(QStringLiteral("MenuSaveAsFile"));
    MenuReSave = MenuFile->addAction(QStringLiteral("上書き保存(&R)"));
    MenuReSave->setObjectName(QStringLiteral("MenuReSave"));
    MenuSaveAsPicture = MenuFile->addAction(QStringLiteral("画像で保存(&S)"));
    MenuSaveAsPicture->setObjectName(QStringLiteral("MenuSaveAsPicture"));
    MenuSaveAsPdf = MenuFile->addAction(QStringLiteral("PDFで保存(&D)"));
    MenuSaveAsPdf->setObjectName(QStringLiteral("MenuSaveAsPdf"));
    MenuFile->addSeparator();
    MenuImportICalendar = MenuFile->addAction(QStringLiteral("予定の読み込み(iCalendar)..."));
    MenuImportICalendar->setObjectName(QStringLiteral("MenuImportICalendar"));
    MenuExportICalendar = MenuFile->addAction(QStringLiteral("予定の書き出し(iCalendar)..."));
    MenuExportICalendar->setObjectName(QStringLiteral("MenuExportICalendar"));
    MenuFile->addSeparator();
    MenuPrint = MenuFile->addAction(QStringLiteral("印刷(&P)"));
    MenuPrint->setObjectName(QStringLiteral("MenuPrint"));

    CreateEditMenu();

    MenuHelpRoot = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MenuHelp = MenuHelpRoot->addAction(QStringLiteral("使い方(&H)"));
    MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
    MenuVersion = MenuHelpRoot->addAction(QStringLiteral("バージョン情報(&V)"));
    MenuVersion->setObjectName(QStringLiteral("MenuVersion"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    MenuTop = PopupMenu1->addAction(QStringLiteral("前面にする"));
    MenuTop->setObjectName(QStringLiteral("MenuTop"));
    MenuBack = PopupMenu1->addAction(QStringLiteral("背面にする"));
    MenuBack->setObjectName(QStringLiteral("MenuBack"));
    // Turning the selected photo, and its frame back to the picture's proportions.
    PopupMenu1->addSeparator();
    const std::pair<const char *, std::function<void()>> photoItems[] = {
        {"右に90°回転", [this] { TurnSelectedPhoto(1); }},
        {"左に90°回転", [this] { TurnSelectedPhoto(-1); }},
        {"元の縦横比に戻す", [this] { RestorePhotoProportions(); }},
    };
    for (const auto &[text, act] : photoItems)
        connect(PopupMenu1->addAction(QString::fromUtf8(text)), &QAction::triggered, this, act);

    // The desktop's usual keys beside the access keys; Ctrl+Q closes the
    // window (through the save question) without an item of its own.
    MenuOpen->setShortcut(QKeySequence::Open);
    MenuReSave->setShortcut(QKeySequence::Save);
    MenuSaveAsFile->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    MenuPrint->setShortcut(QKeySequence::Print);
    auto *quit = new QAction(this);
    quit->setObjectName(QStringLiteral("ActionQuit"));
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addAction(quit);

    SaveDialog1.Filter = QStringLiteral("iniファイル(*.ini)|*.ini");
    SaveDialog1.DefaultExt = QStringLiteral("ini");
    OpenDialog1.Filter = SaveDialog1.Filter;
    OpenDialog1.DefaultExt = QStringLiteral("ini");
}

void TForm1::CreatePaper()
{
    Panel1 = new QFrame(ClientArea);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Box);
    Panel1->setFrameShadow(QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(0, 0, 400, 560);
    FillBackground(Panel1, clRed);

}

void TForm1::CreateSettingsPanel()
{
    PanelConfig = new QFrame(ClientArea);
    PanelConfig->setObjectName(QStringLiteral("PanelConfig"));
    PanelConfig->setGeometry(753 - 313 - 10, 0, 313, 565);
    FillBackground(PanelConfig, clSkyBlue);
    auto *column = new QVBoxLayout(PanelConfig);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);

    PageControl1 = new QTabWidget(PanelConfig);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFocusPolicy(Qt::StrongFocus);
    column->addWidget(PageControl1, 1);

    CreatePageCalendar1();
    CreatePageCalendar2();
    CreatePagePictureAndPaper();

    LblHelp = new QLabel(PanelConfig);
    LblHelp->setObjectName(QStringLiteral("LblHelp"));
    LblHelp->setWordWrap(true);
    LblHelp->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    LblHelp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LblHelp->setAutoFillBackground(true);
    QPalette pal = LblHelp->palette();
    pal.setColor(QPalette::Window, ValueToColor(clYellow));
    pal.setColor(QPalette::WindowText, ValueToColor(clBlack));
    LblHelp->setPalette(pal);
    auto *helpRow = new QHBoxLayout;
    helpRow->setContentsMargins(1, 0, 2, 0);
    helpRow->addWidget(LblHelp);
    column->addLayout(helpRow);
    FitSettingsPanel(PanelConfig, LblHelp, Label10);
    PanelConfig->installEventFilter(this);
}

QComboBox *TForm1::CreateTekiyoList(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    list->setEditable(false);
    list->setPlaceholderText(QStringLiteral("適用月"));
    list->addItem(QStringLiteral("すべて"));
    list->setCurrentIndex(-1);
    return list;
}

std::array<QComboBox *, 6> TForm1::TekiyoLists() const
{
    return {ComboBoxFontTekiyo,       ComboBoxCalendarBackColorTekiyo, ComboBoxYearMonthBackColorTekiyo,
            ComboBoxAlphaBlendTekiyo, ComboBoxHolidayTextColorTekiyo,  ComboBoxDayTextColorTekiyo};
}

QScrollBar *TForm1::VertScrollBar() const { return ScrollBox->verticalScrollBar(); }

int TForm1::ClientWidth() const { return ScrollBox->viewport()->width(); }
int TForm1::ClientHeight() const { return ScrollBox->viewport()->height(); }

void TForm1::UpdateScrollRange()
{
    const QRect used = Panel1->geometry().united(PanelConfig->geometry());
    ClientArea->setMinimumSize(PanelConfig->width() + 10, used.bottom() + 1);
}

void TForm1::ConnectHandlers()
{
    connect(MenuOpen, &QAction::triggered, this, &TForm1::MenuOpenClick);
    connect(MenuSaveAsFile, &QAction::triggered, this, &TForm1::MenuSaveAsFileClick);
    connect(MenuReSave, &QAction::triggered, this, &TForm1::MenuReSaveClick);
    connect(MenuSaveAsPicture, &QAction::triggered, this, &TForm1::MenuSaveAsPictureClick);
    connect(MenuImportICalendar, &QAction::triggered, this, &TForm1::MenuImportICalendarClick);
    connect(MenuExportICalendar, &QAction::triggered, this, &TForm1::MenuExportICalendarClick);
    connect(MenuPrint, &QAction::triggered, this, &TForm1::MenuPrintClick);
    connect(MenuSaveAsPdf, &QAction::triggered, this, &TForm1::MenuSaveAsPdfClick);
    connect(RadioGroupOutput, &TRadioGroup::Click, this, &TForm1::RadioGroupOutputClick);
    connect(MenuHelp, &QAction::triggered, this, &TForm1::MenuHelpClick);
    connect(MenuVersion, &QAction::triggered, this, &TForm1::MenuVersionClick);
    connect(MenuTop, &QAction::triggered, this, &TForm1::MenuTopClick);
    connect(MenuBack, &QAction::triggered, this, &TForm1::MenuBackClick);

    connect(LECalendarYear, &TLabeledEdit::Change, this, &TForm1::LECalendarYearChange);
    connect(LECalendarMonth, &TLabeledEdit::Change, this, &TForm1::LECalendarYearChange);
    connect(BtnOK, &QPushButton::clicked, this, &TForm1::BtnOKClick);
    connect(CheckBoxSameSize, &QCheckBox::toggled, this, &TForm1::CheckBoxSameSizeClick);
    connect(BtnCalendarFont, &QPushButton::clicked, this, &TForm1::BtnCalendarFontClick);
    connect(ColorBoxCalendarBackColor, &TColorBox::Change, this, &TForm1::ColorBoxCalendarBackColorChange);
    connect(ColorBoxYearMonthBackColor, &TColorBox::Change, this, &TForm1::ColorBoxYearMonthBackColorChange);
    connect(CheckBoxSameBackColor, &QCheckBox::toggled, this, &TForm1::CheckBoxSameBackColorClick);
    connect(TrackBarAlphaBlend, &QSlider::valueChanged, this, &TForm1::TrackBarAlphaBlendChange);
    // A drag of the slider is one step.
    connect(TrackBarAlphaBlend, &QSlider::sliderPressed, this, [this] { ++SliderSerial; });
    connect(ColorBoxHolidayTextColor, &TColorBox::Change, this, &TForm1::ColorBoxHolidayTextColorChange);
    connect(ColorBoxDayTextColor, &TColorBox::Change, this, &TForm1::ColorBoxDayTextColorChange);
    // Apply-to lists act on the user's choice only.
    connect(ComboBoxFontTekiyo, &QComboBox::activated, this, &TForm1::ComboBoxFontTekiyoChange);
    connect(ComboBoxCalendarBackColorTekiyo, &QComboBox::activated, this,
            &TForm1::ComboBoxCalendarBackColorTekiyoChange);
    connect(ComboBoxYearMonthBackColorTekiyo, &QComboBox::activated, this,
            &TForm1::ComboBoxYearMonthBackColorTekiyoChange);
    connect(ComboBoxAlphaBlendTekiyo, &QComboBox::activated, this, &TForm1::ComboBoxAlphaBlendTekiyoChange);
    connect(ComboBoxHolidayTextColorTekiyo, &QComboBox::activated, this,
            &TForm1::ComboBoxHolidayTextColorTekiyoChange);
    connect(ComboBoxDayTextColorTekiyo, &QComboBox::activated, this, &TForm1::ComboBoxDayTextColorTekiyoChange);

    connect(RadioGroupFirstDayOfWeek, &TRadioGroup::Click, this, &TForm1::RadioGroupFirstDayOfWeekClick);
    // The day data (read by the cell painting) follows the weekday lists
    // before their handlers run; each click is a step.
    const auto weekdayList = [this](void (TForm1::*handler)(), const QString &name) {
        return [this, handler, name] {
            const THolidayWeekdays before = DayData.Weekdays;
            StoreHolidayWeekdays();
            (this->*handler)();
            if (!IsStart)
                RecordDayDataStep(name, TDayDataKind::Weekdays, 0, std::nullopt, std::nullopt, before);
        };
    };
    connect(CheckListBoxHoliday, &TCheckListBox::Click, this,
            weekdayList(&TForm1::CheckListBoxHolidayClick, QStringLiteral("休日の曜日(すべて)")));
    connect(CheckListBoxHolidayNumberOf, &TCheckListBox::Click, this,
            weekdayList(&TForm1::CheckListBoxHolidayNumberOfClick, QStringLiteral("休日の曜日(一部)")));
    connect(CheckListBoxHolidayPartOf, &TCheckListBox::Click, this,
            weekdayList(&TForm1::CheckListBoxHolidayPartOfClick, QStringLiteral("休日の曜日(一部)")));
    connect(RadioGroupMonthMode, &TRadioGroup::Click, this, &TForm1::RadioGroupMonthModeClick);
    connect(RadioGroupWeekDayMode, &TRadioGroup::Click, this, &TForm1::RadioGroupWeekDayModeClick);
    connect(CheckBoxShowRokuyo, &QCheckBox::toggled, this, &TForm1::CheckBoxShowRokuyoClick);
    connect(CheckBoxIsHoliday, &QCheckBox::toggled, this, &TForm1::CheckBoxIsHolidayClick);
    connect(RadioGroupMark, &TRadioGroup::Click, this, &TForm1::RadioGroupMarkClick);
    LESchedule->OnKeyPress = [this](QChar key) { return LEScheduleKeyPress(key); };

    connect(BtnAddPicture, &QPushButton::clicked, this, &TForm1::BtnAddPictureClick);
    connect(BtnDeletePicture, &QPushButton::clicked, this, &TForm1::BtnDeletePictureClick);
    connect(BtnLoadPicture, &QPushButton::clicked, this, &TForm1::BtnLoadPictureClick);
    connect(RadioGroupHoko, &TRadioGroup::Click, this, &TForm1::RadioGroupHokoClick);
    connect(ColorBoxPaperColor, &TColorBox::Change, this, &TForm1::ColorBoxPaperColorChange);

    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) { FormActivateApp(state == Qt::ApplicationActive); });
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *photo = qobject_cast<TImage *>(watched); photo && ImgPicture.contains(photo))
        return PhotoEvent(photo, event);
    // The paper moves on screen when the client area scrolls.
    if (watched == ClientArea && event->type() == QEvent::Move)
        PaperMovedOnScreen();
    // A click on the window's own surface (not on a control).
    if (watched == ClientArea && event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && ClientArea->rect().contains(me->position().toPoint()))
            FormClick();
    }
    // The panel follows its contents: after the style is applied on the first
    // showing, and after a change of the text size.
    if (watched == PanelConfig && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::FontChange)) {
        const QSize before = PanelConfig->size();
        FitSettingsPanel(PanelConfig, LblHelp, Label10);
        if (PanelConfig->size() != before) {
            UpdateScrollRange();
            FormResize();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tamarie
