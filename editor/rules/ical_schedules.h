#pragma once
// Schedules exchanged with other calendar programs as iCalendar files:
// events read into dated one-line texts (in Japan time), and the user's
// schedules written as all-day events (libical writes them).  Reading is
// bounded in time and memory whatever the file holds.
#include "values.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <atomic>
#include <vector>

namespace tamarie {

class TDayData;
struct TSchedule;

// Larger files are refused rather than parsed.
inline constexpr qint64 kIcsMaxBytes = 8 * 1024 * 1024;
// So are files giving more days than this (a schedule for each).
inline constexpr std::size_t kIcsMaxDays = 200000;

struct TIcsDay {
    QDate date;   // in Japan time
    QString text; // the event's summary, one line, cut as a schedule text is
};

struct TIcsRead {
    std::vector<TIcsDay> days; // by date; events of one date in file order
    QString error;             // set when the file is unusable; days are then empty
};

// Single events on whatever date they fall; repeating events are expanded for
// the days from..to (both included).  Setting *cancel from another thread
// ends the reading soon with an error.
TIcsRead ParseIcs(const QByteArray &bytes, const QDate &from, const QDate &to,
                  const std::atomic<bool> *cancel = nullptr);
TIcsRead ReadIcsFile(const QString &path, const QDate &from, const QDate &to,
                     const std::atomic<bool> *cancel = nullptr);

struct TIcsImport {
    int added = 0;
    int skipped = 0; // dates that had a schedule already (or got one earlier in the file)
};

// Stores the days into dates without a schedule; the first entry of a date wins.
TIcsImport ImportIcsDays(TDayData &data, const std::vector<TIcsDay> &days);

struct TIcsExport {
    QByteArray text;
    int written = 0;
    int skipped = 0;     // schedules on dates iCalendar cannot hold (libical writes years 1 to 3000)
    QDate firstSkipped;  // the earliest of them
};

// Every schedule that shows something, as an all-day event.
TIcsExport IcsOfSchedules(const std::vector<TSchedule> &schedules, const QDateTime &stamp);

} // namespace tamarie
