#pragma once
// Message boxes, confirmations and the common dialogs, in one place so that
// tests can script the answers: while a script is active nothing modal is
// shown, every text is recorded, and answers are taken from a queue (a
// missing answer counts as No or Cancel).
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace tamarie::dialogs {

// A modal message box with an OK button.
void ShowMessage(const QString &text, QWidget *parent = nullptr);
// A Yes/No question; anything but Yes is No.
bool Confirm(const QString &text, QWidget *parent = nullptr);

struct FileAnswer {
    QString path;     // empty: cancelled
    int filterIndex;  // 1-based, as the filter list counts
    int choice = -1;  // the extra choice of SaveFileWithChoice; -1: as offered
};
// filters: "Name (*.ext)" entries joined by ";;".
FileAnswer OpenFile(const QString &title, const QString &filters, const QString &dir, QWidget *parent = nullptr);
FileAnswer SaveFile(const QString &title, const QString &filters, int filterIndex, const QString &defaultExt,
                    const QString &fileName, QWidget *parent = nullptr);
// The same with one more choice (a labelled list under the file name).
FileAnswer SaveFileWithChoice(const QString &title, const QString &filters, int filterIndex,
                              const QString &defaultExt, const QString &fileName, const QString &choiceLabel,
                              const QStringList &choices, int choice, QWidget *parent = nullptr);

// Scripting for tests.
void BeginScript();
void EndScript();
bool Scripted();
void Answer(const QVariant &answer);   // bool for Confirm, FileAnswer via AnswerFile, ...
void AnswerFile(const QString &path, int filterIndex = 1, int choice = -1);
QVariant TakeAnswer();                 // for dialog functions defined elsewhere
void Record(const QString &text);
QStringList Shown();                   // texts shown since BeginScript
void ClearShown();

} // namespace tamarie::dialogs

Q_DECLARE_METATYPE(tamarie::dialogs::FileAnswer)
