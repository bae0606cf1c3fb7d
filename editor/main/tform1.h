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
#include <optional>

#include "arrangement.h"
#include "day_cell_painter.h"
#include "day_data.h"
#include "document.h"
#include "document_file.h"
#include "document_history.h"
#include "font_record.h"
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

// The kinds of the user's day data a step changes.
enum class TDayDataKind { Schedule, Holiday, Weekdays };

// Settings kept for a file dialog until it is shown.
struct TFileDialogSettings {
    QString Filter;
    QString DefaultExt;
    QString InitialDir;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;
    // Runs the showing-change handling (FormShowingChanged) when shown.
    void setVisible(bool visible) override;

    // ---- The document -------------------------------------------------
    // The arrangement (paper, settings, calendars, photos) is the document;
    // the windows and controls below only show it (document_view.cpp).
    DocumentHistory *History = nullptr;
    const Document &Doc() const { return History->Current(); }
    // One step of the user, named after the action (the 編集 menu shows it).
    void Edit(const QString &Name, const Document &After, Merging How = {});

    // ---- Editor state -------------------------------------------------
    QPoint Image1MouseDownPoint;
    bool IsMinimized = false;
    bool IsLoadingFile = false;
    QString CurrentIniFile;
    bool IsSaved = false;
    bool IsStart = true;
    QString Folda;
    QString DataFolda;
    std::array<TplCalendarForm *, kMaxCalendars + 1> CalForm{};
    std::array<TBackForm *, kMaxCalendars + 1> ABackForm{};
    // The photo controls: photo i of the document shown by control i; Image1
    // is control 0 while there is one.
    QVector<TImage *> ImgPicture;
    // Schedules (Schedule, ScheduleCount), per-date overrides (PersonalHoliday,
    // PersonalHolidayValueCount) and the weekday lists, backed by Config.ini.
    TDayData DayData;
    // What the day cells ask of DayData.
    DayDataCells DayCells{DayData};
    TDateValue TempScheduleDate = 0;
    int ScheduleFormNo = 0;
    bool CheckBoxIsHolidayChangedByProc = false;

    // The editor state the document holds, under its names.
    int CalendarCount() const { return Doc().CalendarCount(); }
    TColorValue CalendarBackColor() const { return Doc().settings.backColor; }
    TColorValue CalendarPanelColor() const { return Doc().settings.panelColor; }
    TColorValue HolidayTextColor(int N) const;
    int ImgCount() const { return Doc().PhotoCount(); }
    int SelectedImgPictureNo() const { return Doc().selectedPhoto; }
    QStringList ImageFileName() const;
    int CurrentPanelWidth() const { return Doc().paper.layoutSize.width(); }
    int CurrentPanelHeight() const { return Doc().paper.layoutSize.height(); }
    // The face, size and style, and colour of the font OK gives the calendars.
    QFont CalendarFontFace() const;
    TColorValue CalendarFontColor() const;

    // ---- Controls ------------------------------------------------------
    QScrollArea *ScrollBox = nullptr;   // the client area; scrolls when the window is small
    QWidget *ClientArea = nullptr;
    QFrame *Panel1 = nullptr;
    TImage *Image1 = nullptr;   // the first photo's control
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
    QMenu *MenuEdit = nullptr;
    QAction *MenuUndo = nullptr;  // 元に戻す(&U): the step undone
    QAction *MenuRedo = nullptr;  // やり直し(&R)
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
    void BtnOKClick();
    // Pair N, or nulls when N is out of 1 .. 12 or not created yet.
    struct TCalendarPair {
        TplCalendarForm *Cal = nullptr;
        TBackForm *Back = nullptr;
    };
    TCalendarPair CalendarPair(int N) const;
    void CreateCalendarPair(int N);
    // Calendar N laid out anew for the size its window has.
    void LayoutCalendar(int N);
    void RefreshMonthLists(TDateValue D);
    // Month date of calendar N from the entered year and month; an invalid
    // entry shows the message and gives today.
    TDateValue CalendarMonthDate(int N);
    // Presses and moves on backing window Sender within its calendar's title
    // area go to that calendar's title drag.
    void BackFormMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y);
    void BackFormMouseMove(QObject *Sender, Qt::MouseButtons Shift, int X, int Y);

    // ---- Month titles and display options (display_options.cpp) -------
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
    // The store as the step of that name (予定 for Enter, マーク for a mark).
    void StoreSchedulesAs(const QString &StepName);
    void RefreshHolidayCheckBox();
    void RepaintScheduleCalendar();
    QString GetRokuyo(TDateValue D) const;
    QString GetSekki(TDateValue D) const;
    // A store of the day data just done becomes a step named Name, unless it
    // changed nothing (day_data_commands.cpp).  The values are the date's
    // entries (or the weekday lists) before it.
    void RecordDayDataStep(const QString &Name, TDayDataKind Kind, TDateValue Date,
                           const std::optional<TSchedule> &ScheduleBefore, std::optional<bool> HolidayBefore,
                           const THolidayWeekdays &WeekdaysBefore);
    // Stores those values again, writes Config.ini and shows them.
    void RestoreDayData(TDayDataKind Kind, TDateValue Date, const std::optional<TSchedule> &Schedule,
                        std::optional<bool> Holiday, const THolidayWeekdays &Weekdays);

    // ---- Handlers of the controls, each in the file of its concern -----
    void CalendarDblClick(QObject *Sender);
    void BackFormDblClick(QObject *Sender);
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
    // The selected photo turned by quarter turns (clockwise positive) with
    // its frame, or its frame given back the picture's proportions.
    void TurnSelectedPhoto(int QuarterTurns);
    void RestorePhotoProportions();
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
    void MenuHelpClick();
    void MenuVersionClick();
    void MenuUndoClick();
    void MenuRedoClick();

    // The picture commands with their sender: only the buttons open the
    // picture dialog or ask before deleting; other callers pass their own.
    void BtnAddPictureClickFrom(QObject *Sender);
    void BtnDeletePictureClickFrom(QObject *Sender);
    // The two application-wide hooks (ApplicationEvents1).
    void ApplicationEvents1Message(QObject *Window, QEvent *Msg, bool &Handled);
    void ApplicationEvents1ShowHint(QString &HintStr, bool &CanShow, QWidget *HintControl);
    // One wheel notch of the given distance (negative grows).
    void MouseWheelStep(int Distance);
    QSize LaidOutClientSize;  // client size at the last completed resize layout
    QTimer *ResizeTimer = nullptr;

    // ---- Work-state files (work_state_writer.cpp, work_state_reader.cpp,
    // work_state_commands.cpp) ---------------------------------------------
    // Writes the work-state file and its font files; false after a failure,
    // already reported.
    bool SaveWorkState(const QString &FileName);
    // Reads a work-state file whole and, only when it could be read, makes it
    // the document; false after a reported error, with nothing changed.
    // The photos whose files cannot be decoded are named in Undecodable;
    // their frames stay with their file names.
    bool LoadWorkState(const QString &FileName, QStringList *Undecodable = nullptr);
    // The paper's top-left on screen from the main window's outer top-left,
    // less the paper's place in its parent (paper_offset.h).
    QPoint PaperOffsetInFrame() const;
    // Where the screen holds the document now, for the file.
    ScreenPlacement Placement() const;
    // The open command after its dialog: reads the file with IsLoadingFile
    // set, then names it in the caption.  False after a reported error.
    bool OpenWorkStateFile(const QString &path);
    // One message naming the photos an opened file holds that cannot be shown.
    void ReportUndecodablePhotos(const QStringList &Files);
    // The file the arrangement is saved to (empty: untitled), and the caption naming it.
    void NameCurrentFile(const QString &Path);
    // Asks whether to save the arrangement when it differs from the file
    // (always while it was never saved); leaves the answer in IsSaved.
    void ConfirmSave();
    // The save question, then the file opened as the open command does.
    void OpenWorkStateAfterQuestion(const QString &path);

    // ---- Recent files and files dropped on the paper (recent_files_menu.cpp,
    // paper_drops.cpp) -------------------------------------------------------
    // The entries at the foot of MenuFile from the settings file.
    void RefreshRecentFilesMenu();
    // A missing file is reported and leaves the list.
    void OpenRecentFile(const QString &path);
    QVector<QAction *> RecentFileActions;  // the separator first, then the entries
    // Each file as a new photo around the paper point; one that cannot be
    // decoded is reported and leaves no photo.
    void DropPhotos(const QStringList &photos, const QPoint &paperPoint);

    // ---- Pictures, printing and help (picture_commands.cpp,
    // arrangement_gathering.cpp) -------------------------------------------
    // Creates the print and about windows once and gives the print window
    // the arrangement; the program entry calls it after creating this window.
    void CreateOutputWindows();
    // The paper with its photos and the visible calendar pairs from bottom to
    // top, in the paper's client coordinates, as the capture composes them.
    ArrangementRendering GatherArrangement();
    // The document as the painter draws it.
    Arrangement CaptureArrangement() const;
    // The display options and the day data the painting of the calendars reads.
    CalendarDisplayOptions DisplayOptions() const;
    CalendarPaintData PaintData() const;
    // The paper with its photos; image (0, 0) is the paper's client (0, 0).
    QImage RenderPaper() const;
    // The visible calendars, bottom to top.
    QVector<int> CalendarStackingOrder() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Construction of the controls (main_window.cpp, settings_pages.cpp).
    void CreateMenus();
    void CreateEditMenu();
    void CreatePaper();
    void CreateSettingsPanel();
    void CreatePageCalendar1();
    void CreatePageCalendar2();
    void CreatePagePictureAndPaper();
    void ConnectHandlers();
    QComboBox *CreateTekiyoList(QWidget *parent);
    void SetUpPhotosLayoutAndHooks();
    void SetUpRecentFiles();
    void SetUpFileDrops();
    void WatchCalendarStacking();

    // ---- Showing the document (document_view.cpp) ----------------------
    // Brings every window and control in line with the document, changing
    // only what differs from what they showed.
    void ShowDocument();
    void ShowPaperAndSettings(const Document &Was, const Document &Now);
    void ShowCalendars(const Document &Was, const Document &Now);
    void ShowCalendar(int N, const DocumentCalendar *Was, const DocumentCalendar &Now);
    void ShowPhotos(const Document &Was, const Document &Now);
    // The month lists for the calendars of the document.
    void FillMonthLists(TDateValue D);
    // The windows brought something into the document: not a step.
    void Adjust(const Document &After);
    // Calendar N's window, moved or resized by something other than the
    // document: a drag under way (one step), else the window system.
    void CalendarWindowMoved(int N);
    // The paper moved on screen (the main window or its scrolling): the
    // calendars, top-level windows, stay where they are on the screen.
    void PaperMovedOnScreen();
    // The photo control of photo I, moved or resized by something other
    // than the document.
    void PhotoControlMoved(TImage *Photo);
    // The paper's top-left corner on screen, and its size in pixels.
    QPoint PaperOnScreen() const;
    QSize PaperSize() const;
    // Photo I shows the file Path: one step (画像の変更, or with the photo
    // just added, part of 画像の追加).  False, after the decoder's message,
    // when the file cannot be decoded.
    bool ReplacePicture(int I, const QString &Path);
    void ShowThumbnailOf(const QImage &Picture);
    void UpdateThumbnail();
    Document Shown;                    // what the windows show
    Document TitlePressDocument;       // the document when a title was last pressed
    bool ShowingDocument = false;
    bool ShowAgain = false;
    bool FontLabelShown = false;
    bool CalendarDragPressed = false;  // a title press whose drag is one step
    quint64 PressSerial = 0;           // counts the presses that start a run of moves
    quint64 SliderSerial = 0;
    quint64 PendingAddSerial = 0;      // an 画像追加 whose picture may follow
    bool KeepThumbnail = false;        // 画像追加 leaves the thumbnail
    QPoint LastPaperOnScreen;

    // ---- Photos (photo_layers.cpp) -------------------------------------
    void AttachPhoto(TImage *Photo);
    bool PhotoEvent(TImage *Photo, QEvent *Event);
    void PhotoClick(TImage *Sender);
    void PhotoMouseDown(TImage *Sender, Qt::MouseButton Button, const QPoint &Pos);
    void PhotoMouseMove(TImage *Sender, Qt::MouseButtons Buttons, const QPoint &Pos);
    void SelectPhoto(int I);
    TImage *PressedPhoto = nullptr;

    // The work-state commands' helpers.
    bool ScrolledToTop();
    void NoteRecentFile(const QString &path);
    WorkStateBounds DesktopBounds() const;
    TPaperDrops *PaperDrops = nullptr;
    QObject *ApplicationEvents1 = nullptr;
    void FocusScheduleEdit();
    void ShowOutputChoice();
    QPoint PaperBottomRight() const;
    void PaintCalendarWindow(int N, QPainter &Painter, CalendarSurface Surface) const;
    void UpdateScrollRange();
    void MaximizeAndSettle();
    void FormResizeFrom(QObject *Sender);
    bool FirstShowingDone = false;
};

} // namespace tamarie
