#pragma once
// Command-line arguments of tamarie-koyomi.
#include <QDate>
#include <QString>
#include <QStringList>

namespace tamarie::koyomi {

struct Request {
    QDate from, to;             // inclusive
    bool holidaysOnly = false;
    QString holidayList;        // --holiday-list FILE: the published list to follow
    QString ics;                // --ics FILE: list that file's events
    bool rangeGiven = false;    // a date or --from/--to was given (optional with --ics)
    bool help = false;
    QString error;              // set when the arguments are unusable
};

// args without the program name.
Request ParseArguments(const QStringList &args);
QString Usage();

} // namespace tamarie::koyomi
