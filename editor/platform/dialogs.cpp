#include "dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <deque>

namespace tamarie::dialogs {

namespace {
struct Script {
    bool active = false;
    std::deque<QVariant> answers;
    QStringList shown;
};
Script &script()
{
    static Script s;
    return s;
}
// Not the application's display name: unset, Qt answers with the program's
// file name ("tamarie"), and setting it would append the name to every caption.
QString appTitle() { return QStringLiteral("タマリエ"); }
// A fixed dialog with only a system menu and a close button, wide enough for
// its title to show whole.
void FixMessageBox(QMessageBox &box)
{
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // A spacer row, not a minimum on the text: the box still widens for a
    // long text and wraps it beyond half the screen.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120, 0,
                                      QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}
} // namespace

void BeginScript()
{
    script() = Script{};
    script().active = true;
}
void EndScript() { script() = Script{}; }
bool Scripted() { return script().active; }
void Answer(const QVariant &answer) { script().answers.push_back(answer); }
void AnswerFile(const QString &path, int filterIndex, int choice)
{
    Answer(QVariant::fromValue(FileAnswer{path, filterIndex, choice}));
}
QVariant TakeAnswer()
{
    auto &s = script();
    if (s.answers.empty())
        return {};
    QVariant v = s.answers.front();
    s.answers.pop_front();
    return v;
}
void Record(const QString &text) { script().shown << text; }
QStringList Shown() { return script().shown; }
void ClearShown() { script().shown.clear(); }

void ShowMessage(const QString &text, QWidget *parent)
{
    if (Scripted()) {
        Record(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, appTitle(), text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    FixMessageBox(box);
    box.exec();
}

bool Confirm(const QString &text, QWidget *parent)
{
    if (Scripted()) {
        Record(text);
        const QVariant v = TakeAnswer();
        return v.isValid() && v.toBool();
    }
    QMessageBox box(QMessageBox::Question, appTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
    FixMessageBox(box);
    return box.exec() == QMessageBox::Yes;
}

static FileAnswer scriptedFile(const QString &title)
{
    Record(title);
    const QVariant v = TakeAnswer();
    return v.canConvert<FileAnswer>() ? v.value<FileAnswer>() : FileAnswer{QString(), 0};
}

FileAnswer OpenFile(const QString &title, const QString &filters, const QString &dir, QWidget *parent)
{
    if (Scripted())
        return scriptedFile(title);
    QFileDialog dlg(parent, title, dir, filters);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {QString(), 0};
    const int index = static_cast<int>(filters.split(QStringLiteral(";;")).indexOf(dlg.selectedNameFilter())) + 1;
    return {dlg.selectedFiles().first(), index};
}

FileAnswer SaveFile(const QString &title, const QString &filters, int filterIndex, const QString &defaultExt,
                    const QString &fileName, QWidget *parent)
{
    return SaveFileWithChoice(title, filters, filterIndex, defaultExt, fileName, QString(), {}, -1, parent);
}

FileAnswer SaveFileWithChoice(const QString &title, const QString &filters, int filterIndex,
                              const QString &defaultExt, const QString &fileName, const QString &choiceLabel,
                              const QStringList &choices, int choice, QWidget *parent)
{
    if (Scripted())
        return scriptedFile(title);
    QFileDialog dlg(parent, title, QString(), filters);
    QComboBox *choiceList = nullptr;
    if (!choices.isEmpty()) {
        // Qt's own dialog takes an extra row; the platform's may not.
        dlg.setOption(QFileDialog::DontUseNativeDialog, true);
        if (auto *grid = qobject_cast<QGridLayout *>(dlg.layout())) {
            choiceList = new QComboBox(&dlg);
            choiceList->addItems(choices);
            choiceList->setCurrentIndex(choice >= 0 && choice < choices.size() ? choice : 0);
            const int row = grid->rowCount();
            grid->addWidget(new QLabel(choiceLabel, &dlg), row, 0);
            grid->addWidget(choiceList, row, 1);
        }
    }
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The caller asks its own overwrite question where it has one.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList list = filters.split(QStringLiteral(";;"));
    if (filterIndex >= 1 && filterIndex <= list.size())
        dlg.selectNameFilter(list[filterIndex - 1]);
    if (!defaultExt.isEmpty())
        dlg.setDefaultSuffix(defaultExt);
    // A folder alone starts the dialog there with no name proposed.
    if (QFileInfo(fileName).isDir())
        dlg.setDirectory(fileName);
    else if (!fileName.isEmpty())
        dlg.selectFile(fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {QString(), 0};
    return {dlg.selectedFiles().first(), static_cast<int>(list.indexOf(dlg.selectedNameFilter())) + 1,
            choiceList ? choiceList->currentIndex() : -1};
}

} // namespace tamarie::dialogs
