#include "desktop_probe.h"

#include "back_form.h"
#include "calendar_form.h"
#include "check_list_box.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QFile>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace tamarie {

namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[1], &c, 1);
}

QString Rect(const QWidget *w)
{
    const QPoint p = w->mapToGlobal(QPoint(0, 0));
    return QStringLiteral("%1 %2 %3 %4").arg(p.x()).arg(p.y()).arg(w->width()).arg(w->height());
}

QString NamedAncestor(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (!w->objectName().isEmpty())
            return w->objectName();
    return QStringLiteral("-");
}

QString WindowName(QWidget *w)
{
    if (auto *cal = dynamic_cast<TplCalendarForm *>(w))
        return QStringLiteral("calendar-%1").arg(cal->Tag());
    if (auto *back = dynamic_cast<TBackForm *>(w))
        return QStringLiteral("back-%1").arg(back->Tag());
    return NamedAncestor(w);
}

void WriteProbe(const QString &file)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return;
    QTextStream s(&out);
    s << "focus " << NamedAncestor(QApplication::focusWidget()) << "\n";
    s << "active " << WindowName(QApplication::activeWindow()) << "\n";
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *cal = dynamic_cast<TplCalendarForm *>(top)) {
            s << "mode " << (cal->Translucent() ? "translucent" : "keyed") << "\n";
            break;
        }
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto *cal = dynamic_cast<TplCalendarForm *>(top)) {
            s << "calendar " << cal->Tag() << " " << Rect(cal) << " " << cal->winId() << "\n";
            s << "title " << cal->Tag() << " " << Rect(cal->Panel) << "\n";
            s << "grid " << cal->Tag() << " " << Rect(cal->Calendar) << "\n";
            // What the calendar itself draws, to set against the screen.
            cal->WindowImage().save(QStringLiteral("%1.calendar-%2.png").arg(file).arg(cal->Tag()));
            continue;
        }
        if (auto *back = dynamic_cast<TBackForm *>(top)) {
            s << "back " << back->Tag() << " " << Rect(back) << " " << back->winId() << "\n";
            continue;
        }
        s << "window " << NamedAncestor(top) << " " << Rect(top) << " " << top->winId() << "\n";
        // The photos of the main window bottom to top: index, place, file.
        if (auto *form = dynamic_cast<TForm1 *>(top))
            for (QObject *child : form->Panel1->children())
                if (auto *photo = qobject_cast<TImage *>(child); photo && form->ImgPicture.contains(photo))
                    s << "stack " << photo->Tag << " " << Rect(photo) << " "
                      << form->ImageFileName().value(photo->Tag) << "\n";
        for (QWidget *w : top->findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || !w->isVisible())
                continue;
            s << "widget " << w->objectName() << " " << Rect(w) << "\n";
            // The items of the lists, as Name.index.
            if (auto *group = qobject_cast<TRadioGroup *>(w))
                for (int i = 0; i < group->Count(); ++i)
                    s << "widget " << w->objectName() << "." << i << " " << Rect(group->Button(i)) << "\n";
            if (auto *list = qobject_cast<TCheckListBox *>(w))
                for (int i = 0; i < list->Count(); ++i)
                    s << "widget " << w->objectName() << "." << i << " " << Rect(list->Item(i)) << "\n";
            // What a labelled edit shows: its caption and its text.
            if (auto *edit = qobject_cast<TLabeledEdit *>(w))
                s << "caption " << w->objectName() << " " << edit->Caption() << "\ntext " << w->objectName() << " "
                  << edit->text() << "\n";
        }
        // Each photo frame by its index, and whether its copy is shown yet.
        for (const TImage *photo : top->findChildren<TImage *>())
            if (photo->isVisible())
                s << "photo " << photo->Tag << " " << Rect(photo) << " " << int(!photo->ScreenCopy().isNull()) << "\n";
    }
    out.commit();
}

} // namespace

void InstallDesktopProbe(QObject *parent)
{
    const QString file = qEnvironmentVariable("TAMARIE_PROBE");
    if (file.isEmpty() || gSignalPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, parent, [file] {
        char c;
        [[maybe_unused]] const auto n = ::read(gSignalPipe[0], &c, 1);
        WriteProbe(file);
    });
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &sa, nullptr);
}

} // namespace tamarie
