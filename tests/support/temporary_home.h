#pragma once
// A throw-away home folder for as long as the object lives: the data folder,
// the documents folder and the settings never touch the real ones.
#include <QByteArray>
#include <QTemporaryDir>

class TemporaryHome {
public:
    TemporaryHome() : oldHome_(qgetenv("HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/.config").toLocal8Bit());
    }
    ~TemporaryHome()
    {
        qputenv("HOME", oldHome_);
        if (oldConfig_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig_);
    }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray oldHome_, oldConfig_;
};
