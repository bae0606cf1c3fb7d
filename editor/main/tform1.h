#pragma once
// The main editor window: the paper with its photos, the three settings
// pages, the menus, and the set of calendar windows floating over the paper.
// It owns the editor state that every other part of the editor reads and
// writes under the names below.  The methods are spread over several files,
// one per concern.
#include <QFont>
#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QHash>
#include <QVector>
#include <array>

#include "arrangement.h"
#include "day_cell_painter.h"
#include "day_data.h"
#include "font_record.h"
#include "photo_list.h"
#include "paper_layout.h"
#include "values.h"
#include "work_state.h"

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QCheckBox;
class QComboBox;
class QScrollArea;
class QScrollBar;
class QSlider;
class QTabWidget;
class QWidget;
class QTimer;
class QImage;
class QPainter;
class QRect;

namespace tamarie {

class TplCalendarForm;
class TplCalendarFormCalendar;
enum class CalendarSurface;
class TBackForm;
class TCheckListBox;
class TColorBox;
class TImage;
class TLabeledEdit;
class TRadioGroup;
class TPhotoLayers;
class TPaperDrops;
class TPrintForm;
class TVersionForm;
struct ArrangementRendering;
struct CalendarPaintData;
struct WorkStateBounds;

// Start dates of the eras, newest first: 令和, 平成, 昭和, 大正, 明治 (month starts).
extern std::array<TDateValue, 5> EraStartDate;
// Per calendar 1..12 (index 0 unused): its fonts were restored from its font
// file by the work-state reader.
extern std::array<bool, kMaxCalendars + 1> CalendarFontLoaded;

// Settings kept for a file dialog until it is shown.
struct TFileDialogSettings {
    QString Filter;
    QString DefaultExt;
    QString InitialDir;
};

// The font the calendars take on OK.  Until a font dialog has been confirmed
// it is calendar 1's grid font itself (face, size, style and its colour, the
// weekday text colour); afterwards the dialog's font.
struct TCalendarFontChoice {
    bool FollowsCalendar1 = true;
    QFont Font;                 // used once FollowsCalendar1 is false
    TColorValue Color = clBlack;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;
    // Runs the showing-change handling (FormShowingChanged) when shown.
    void setVisible(bool visible) override;

    // ---- Editor state -------------------------------------------------
    int CurrentPanelWidth = 400;
    int CurrentPanelHeight = 560;
    QPoint Image1MouseDownPoint;
    bool IsMinimized = false;
    bool IsLoadingFile = false;
    QString CurrentIniFile;
    bool IsSaved = false;
    // The photos (ImgCount, ImgPicture, ImageFileName, SelectedImgPictureNo),
    // kept in step by the one list; the names refer into it.
    TPhotoList Photos;
    int &ImgCount = Photos.ImgCount;
    QVector<TImage *> &ImgPicture = Photos.ImgPicture;
    int &SelectedImgPictureNo = Photos.SelectedImgPictureNo;
    bool IsStart = true;
    QString Folda;
    QString DataFolda;
    std::array<TplCalendarForm *, kMaxCalendars + 1> CalForm{};
    std::array<TBackForm *, kMaxCalendars + 1> ABackForm{};
    int CalendarCount = 1;
    TColorValue CalendarBackColor = clWhite;
    TColorValue CalendarPanelColor = clMoneyGreen;
    TCalendarFontChoice CalendarFont;
    QVector<QString> &ImageFileName = Photos.ImageFileName;
    // Schedules (Schedule, ScheduleCount), per-date overrides (PersonalHoliday,
    // PersonalHolidayValueCount) and the weekday lists, backed by Config.ini.
    TDayData DayData;
    // What the day cells ask of DayData.
    DayDataCells DayCells{DayData};
    TDateValue TempScheduleDate = 0;
    int ScheduleFormNo = 0;
    bool CheckBoxIsHolidayChangedByProc = false;
    std::array<TColorValue, kMaxCalendars + 1> HolidayTextColor{};

    // The current face, size and style, and colour of CalendarFont.
    QFont CalendarFontFace() const;
    TColorValue CalendarFontColor() const;

    // ---- Controls ------------------------------------------------------
    QScrollArea *ScrollBox = nullptr;   // the client area; scrolls when the window is small
    QWidget *ClientArea = nullptr;
    QFrame *Panel1 = nullptr;
    TImage *Image1 = nullptr;
    QFrame *PanelConfig = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QLabel *LblHelp = nullptr;

    QWidget *TabSheetCalendar1 = nullptr;
    QLabel *Label9 = nullptr;
    TLabeledEdit *LECalendarYear = nullptr;
    TLabeledEdit *LECalendarMonth = nullptr;
    QLabel *Label1 = nullptr;
    TLabeledEdit *LECalendarMonths = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BtnOK = nullptr;
    QCheckBox *CheckBoxSameSize = nullptr;
    QGroupBox *PanelFont = nullptr;
    QComboBox *ComboBoxFontTekiyo = nullptr;
    QPushButton *BtnCalendarFont = nullptr;
    QLabel *LblFontName = nullptr;
    QGroupBox *PanelCalendarBackColor = nullptr;
    QComboBox *ComboBoxCalendarBackColorTekiyo = nullptr;
    TColorBox *ColorBoxCalendarBackColor = nullptr;
    QGroupBox *PanelYearMonthBackColor = nullptr;
    QComboBox *ComboBoxYearMonthBackColorTekiyo = nullptr;
    QCheckBox *CheckBoxSameBackColor = nullptr;
    TColorBox *ColorBoxYearMonthBackColor = nullptr;
    QGroupBox *PanelAlphaBlend = nullptr;
    QComboBox *ComboBoxAlphaBlendTekiyo = nullptr;
    QSlider *TrackBarAlphaBlend = nullptr;
    QGroupBox *PanelHolidayTextColor = nullptr;
    QComboBox *ComboBoxHolidayTextColorTekiyo = nullptr;
    TColorBox *ColorBoxHolidayTextColor = nullptr;
    QGroupBox *PanelDayTextColor = nullptr;
    QComboBox *ComboBoxDayTextColorTekiyo = nullptr;
    TColorBox *ColorBoxDayTextColor = nullptr;

    QWidget *TabSheetCalendar2 = nullptr;
    TRadioGroup *RadioGroupFirstDayOfWeek = nullptr;
    TCheckListBox *CheckListBoxHoliday = nullptr;
    TCheckListBox *CheckListBoxHolidayNumberOf = nullptr;
    TCheckListBox *CheckListBoxHolidayPartOf = nullptr;
    TRadioGroup *RadioGroupMonthMode = nullptr;
    TRadioGroup *RadioGroupWeekDayMode = nullptr;
    QCheckBox *CheckBoxShowRokuyo = nullptr;
    QGroupBox *PanelSchedule = nullptr;
    TLabeledEdit *LESchedule = nullptr;
    QCheckBox *CheckBoxIsHoliday = nullptr;
    TRadioGroup *RadioGroupMark = nullptr;
    QLabel *Label10 = nullptr;

    QWidget *TabSheetPictureAndPaper = nullptr;
    QGroupBox *PanelPicture = nullptr;
    QPushButton *BtnAddPicture = nullptr;
    QPushButton *BtnDeletePicture = nullptr;
    QPushButton *BtnLoadPicture = nullptr;
    QLabel *ImgThumbnail = nullptr;
    QGroupBox *PanelPaper = nullptr;
    TRadioGroup *RadioGroupHoko = nullptr;
    TColorBox *ColorBoxPaperColor = nullptr;
    TRadioGroup *RadioGroupOutput = nullptr;  // "出力": 高精細 / 画面どおり

    QMenu *MenuFile = nullptr;
    QAction *MenuOpen = nullptr;
    QAction *MenuSaveAsFile = nullptr;
    QAction *MenuReSave = nullptr;
    QAction *MenuSaveAsPicture = nullptr;
    QAction *MenuImportICalendar = nullptr;
    QAction *MenuExportICalendar = nullptr;
    QAction *MenuSaveAsPdf = nullptr;
    QAction *MenuPrint = nullptr;
    QMenu *MenuHelpRoot = nullptr;
    QAction *MenuHelp = nullptr;
    QAction *MenuVersion = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *MenuTop = nullptr;
    QAction *MenuBack = nullptr;

    TFileDialogSettings OpenPictureDialog1;
    TFileDialogSettings SavePictureDialog1;
    TFileDialogSettings SaveDialog1;
    TFileDialogSettings OpenDialog1;

    // The print window and the about window live as long as the program;
    // the entry creates them after the main window.
    TPrintForm *PrintForm = nullptr;
    TVersionForm *VersionForm = nullptr;

    // The apply-to-month lists in their fixed order.
    std::array<QComboBox *, 6> TekiyoLists() const;
    // The main window's vertical scroll bar (save and print need it at the top).
    QScrollBar *VertScrollBar() const;
    // Size of the main window's client area (below the menu bar).
    int ClientWidth() const;
    int ClientHeight() const;
    // Lets the client area scroll when the window is smaller than its controls.
    void UpdateScrollRange();

    // ---- Start-up and window (editor_state.cpp) ------------------------
    void FormCreate();
    void ReadSettingsFile();
    void ReadHolidayList();
    // Copies the three weekday check lists into DayData and back.
    void StoreHolidayWeekdays();
    void ShowHolidayWeekdays();
    // Shows what other editors store in Config.ini (config_watch.cpp).
    void WatchConfig();
    void FormCloseQuery(bool &CanClose);
    void FormClick();
    void FormActivateApp(bool active);

    // ---- Calendar set (calendar_set.cpp) -------------------------------
    void FormShowingChanged();
    void MaximizeAndSettle();
    void BtnOKClick();
    // Pair N, or nulls when N is out of 1 .. 12 or not created yet.
    struct TCalendarPair {
        TplCalendarForm *Cal = nullptr;
        TBackForm *Back = nullptr;
    };
    TCalendarPair CalendarPair(int N) const;
    void CreateCalendarPair(int N);
    void PlaceCalendar(int N, bool KeepBounds);
    void LayoutCalendar(int N);
    void RefreshMonthLists(TDateValue D);
    void ApplyCalendarBackColor(int N);
    // Month date of calendar N from the entered year and month; an invalid
    // entry shows the message and gives today.
    TDateValue CalendarMonthDate(int N);
    // Presses and moves on backing window Sender within its calendar's title
    // area go to that calendar's title drag.
    void BackFormMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y);
    void BackFormMouseMove(QObject *Sender, Qt::MouseButtons Shift, int X, int Y);

    // ---- Month titles and display options (display_options.cpp) -------
    void UpdateMonthTitles();
    void UpdateMonthStyleSamples();
    void LECalendarYearChange();
    void RadioGroupMonthModeClick();
    void RadioGroupWeekDayModeClick();
    void RadioGroupFirstDayOfWeekClick();
    void CheckBoxShowRokuyoClick();
    void RepaintCalendarGrids();

    // ---- Schedule panel and day cells (schedule_panel.cpp) -------------
    // Enter stores the schedule and is swallowed (true); other keys type.
    bool LEScheduleKeyPress(QChar Key);
    void StoreSchedules();
    void RefreshHolidayCheckBox();
    void RepaintScheduleCalendar();
    QString GetRokuyo(TDateValue D) const;
    QString GetSekki(TDateValue D) const;

    // ---- Handlers of the controls, each in the file of its concern -----
    void CalendarDblClick(QObject *Sender);
    void BackFormDblClick(QObject *Sender);
    // Activates this window and puts the keyboard focus into LESchedule.
    void FocusScheduleEdit();
    void ShowScheduleOfDate();
    void RadioGroupMarkClick();
    void CheckBoxIsHolidayClick();
    void CheckListBoxHolidayClick();
    void CheckListBoxHolidayPartOfClick();
    void CheckListBoxHolidayNumberOfClick();
    void BtnCalendarFontClick();
    void ColorBoxCalendarBackColorChange();
    void ColorBoxYearMonthBackColorChange();
    void TrackBarAlphaBlendChange();
    void ColorBoxHolidayTextColorChange();
    void ColorBoxDayTextColorChange();
    void ComboBoxFontTekiyoChange();
    void ComboBoxCalendarBackColorTekiyoChange();
    void ComboBoxYearMonthBackColorTekiyoChange();
    void ComboBoxAlphaBlendTekiyoChange();
    void ComboBoxHolidayTextColorTekiyoChange();
    void ComboBoxDayTextColorTekiyoChange();
    void CheckBoxSameBackColorClick();
    void CheckBoxSameSizeClick();
    void FormResize();
    void RadioGroupHokoClick();
    void ColorBoxPaperColorChange();
    void BtnAddPictureClick();
    void BtnDeletePictureClick();
    void BtnLoadPictureClick();
    void MenuTopClick();
    void MenuBackClick();
    void MenuOpenClick();
    void MenuSaveAsFileClick();
    void MenuReSaveClick();
    void MenuSaveAsPictureClick();
    void MenuImportICalendarClick();
    void MenuExportICalendarClick();
    void MenuPrintClick();
    void MenuSaveAsPdfClick();
    // Keeps the output choice in Config.ini and hands it to the print window.
    void RadioGroupOutputClick();
    void ShowOutputChoice();
    void MenuHelpClick();
    void MenuVersionClick();

    // ---- Appearance, paper layout, photos, wheel and hints --------------
    // (appearance.cpp, layout.cpp, photos.cpp, wheel_hints.cpp)
    // Creates the photo layers, the resize debounce and the application-wide
    // wheel and hint hooks; the constructor runs it after the controls exist.
    void SetUpPhotosLayoutAndHooks();
    void ApplyCalendarFont(int N);
    void ApplyHolidayTextColor();
    void ApplyDayTextColor();
    // The title colour of the chosen calendars := their calendar background
    // (the link of CheckBoxSameBackColor).
    void ApplySameBackColor(int TekiyoIndex);
    // FormResize with its sender: RadioGroupHoko only fits, never scales.
    void FormResizeFrom(QObject *Sender);
    // The picture commands with their sender: only the buttons open the
    // picture dialog or ask before deleting; the work-state reader passes its own.
    void BtnAddPictureClickFrom(QObject *Sender);
    void BtnDeletePictureClickFrom(QObject *Sender);
    void ShowThumbnailOf(const QImage &Picture);
    // The two application-wide hooks (ApplicationEvents1).
    void ApplicationEvents1Message(QObject *Window, QEvent *Msg, bool &Handled);
    void ApplicationEvents1ShowHint(QString &HintStr, bool &CanShow, QWidget *HintControl);
    // One wheel notch of the given distance (negative grows).
    void MouseWheelStep(int Distance);
    TPhotoLayers *PhotoLayers = nullptr;
    QObject *ApplicationEvents1 = nullptr;
    QTimer *ResizeTimer = nullptr;
    QSize LaidOutClientSize;  // client size at the last completed resize layout

    // The arrangement's places relative to the paper, which resizes scale
    // from (layout.cpp).  A calendar's place is taken whenever it is placed,
    // dragged or resized, so moves of the main window leave it alone; a
    // photo's when a layout finds it changed since the last one.
    struct TPhotoPaperPlace {
        PaperRelativeRect relative;
        QRect laidOut;  // bounds the last layout gave it
    };
    std::array<PaperRelativeRect, kMaxCalendars + 1> CalendarOnPaper{};
    std::array<QRect, kMaxCalendars + 1> CalendarLaidOut{};  // screen bounds the last layout gave
    QHash<const QObject *, TPhotoPaperPlace> PhotoOnPaper;
    bool PaperLayoutRunning = false;
    // Screen position of the paper's top-left corner.
    QPoint PaperOrigin() const;
    // Calendar N's place on the paper as it is now (skipped during start-up,
    // during the resize layout, and for the bounds that layout gave it).
    void RememberCalendarPlace(int N);
    void RecordCalendarPlace(int N);

    // ---- Work-state files (work_state_writer.cpp, work_state_reader.cpp,
    // work_state_commands.cpp) ---------------------------------------------
    // Writes the work-state file and its font files; false after a failure,
    // already reported.
    bool SaveWorkState(const QString &FileName);
    // What a work-state file holds, from the windows and controls as they stand.
    WorkState CaptureWorkState();
    // What the desktop can show, for the values a work-state file may set.
    WorkStateBounds DesktopBounds() const;
    // Applies a work-state file; false when an error stopped the reading
    // (already reported).
    bool LoadWorkState(const QString &FileName);
    // The paper's top-left on screen from the main window's outer top-left,
    // less the paper's place in its parent (paper_offset.h).
    QPoint PaperOffsetInFrame() const;
    // After a file was read, for drawing it as it was saved: the paper as
    // large as the file says (not narrowed to this screen), and calendars
    // moved so they stand on it as they stood on saving, on a desktop whose
    // frames put the paper at offset (the file's screen places assume this
    // desktop's frames).
    void RestoreSavedPlaces(const QPoint &offset);
    QPoint LoadedFrameTopLeft;  // as the last file read said
    QRect LoadedPaper;
    // The open command after its dialog: reads the file with IsLoadingFile
    // set, then names it in the caption.  False after a reported error.
    bool OpenWorkStateFile(const QString &path);
    // Asks whether to save the arrangement; leaves the answer in IsSaved.
    void ConfirmSave();
    // The save question, then the file opened as the open command does.
    void OpenWorkStateAfterQuestion(const QString &path);

    // ---- Recent files and files dropped on the paper (recent_files_menu.cpp,
    // paper_drops.cpp) -------------------------------------------------------
    void SetUpRecentFiles();
    // The entries at the foot of MenuFile from the settings file.
    void RefreshRecentFilesMenu();
    // Puts an opened or saved work-state file first in the list.
    void NoteRecentFile(const QString &path);
    // A missing file is reported and leaves the list.
    void OpenRecentFile(const QString &path);
    QVector<QAction *> RecentFileActions;  // the separator first, then the entries
    void SetUpFileDrops();
    // Each file as a new photo around the paper point; one that cannot be
    // decoded is reported and leaves no photo.
    void DropPhotos(const QStringList &photos, const QPoint &paperPoint);
    TPaperDrops *PaperDrops = nullptr;
    // The save commands' scroll precondition (shows the message when not met).
    bool ScrolledToTop();
    // Character sets read from font files, noted with their faces.
    TFontCharsetNote CalendarFontCharset;
    std::array<TFontCharsetNote, kMaxCalendars + 1> TitleFontCharset{};

    // ---- Pictures, printing and help (picture_commands.cpp,
    // arrangement_gathering.cpp) -------------------------------------------
    // Creates the print and about windows once and gives the print window
    // the arrangement; the program entry calls it after creating this window.
    void CreateOutputWindows();
    // The paper with its photos and the visible calendar pairs from bottom to
    // top, in the paper's client coordinates, as the capture composes them.
    ArrangementRendering GatherArrangement();
    // The arrangement as plain values, from the windows as they stand.
    Arrangement CaptureArrangement() const;
    // Calendar N as plain values, origin the screen point of (0, 0).
    CalendarLayer CalendarLayerOf(int N, const QPoint &origin) const;
    // Calendar window N painted whole with the output's painter.
    void PaintCalendarWindow(int N, QPainter &Painter, CalendarSurface Surface) const;
    // The display options and the day data the painting of the calendars reads.
    CalendarDisplayOptions DisplayOptions() const;
    CalendarPaintData PaintData() const;
    // The paper with its photos; image (0, 0) is the paper's client (0, 0).
    QImage RenderPaper() const;
    // The visible calendars, bottom to top.
    QVector<int> CalendarStackingOrder() const;
    // Screen position of the paper's client point (paper width, paper height).
    QPoint PaperBottomRight() const;
    // Calendars in the order they last came to the front (shown or
    // activated), bottom to top; kept by the watch WatchCalendarStacking
    // installs (CreateOutputWindows does).
    QVector<int> CalendarStacking;
    void WatchCalendarStacking();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction of the controls (main_window.cpp, settings_pages.cpp).
    void CreateMenus();
    void CreatePaper();
    void CreateSettingsPanel();
    void CreatePageCalendar1();
    void CreatePageCalendar2();
    void CreatePagePictureAndPaper();
    void ConnectHandlers();
    QComboBox *CreateTekiyoList(QWidget *parent);
    bool FirstShowingDone = false;
};

} // namespace tamarie
