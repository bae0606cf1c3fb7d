#pragma once
// Command-line arguments of tamarie-koyomi.
#include <QDate>
#include <QString>
#include <QStringList>

namespace tamarie::koyomi {

struct Request {
    QDate from, to;             // inclusive
    bool holidaysOnly = false;
    bool help = false;
    QString error;              // set when the arguments are unusable
};

// args without the program name.
Request ParseArguments(const QStringList &args);
QString Usage();

} // namespace tamarie::koyomi
