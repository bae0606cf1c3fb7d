#pragma once
// The work the recovery probe writes, version by version: twelve calendars
// and twelve photos; the paper colour is the version, and the fonts change
// every second version, so some writes rewrite font files and some keep them.
#include <QString>

#include "recovery_copy.h"

inline tamarie::RecoveryContent ProbeWork(int version)
{
    using namespace tamarie;
    RecoveryContent c;
    WorkState &w = c.state;
    w.mainWindow = QRect(0, 0, 1600, 1000);
    w.paper = QRect(5, 5, 700, 980);
    w.month = DateToValue(QDate(2027, 1, 1));
    w.months = 12;
    for (int n = 1; n <= 12; ++n) {
        WorkStateCalendar cal;
        cal.window = QRect(10 * n + version % 97, 20 * n, 160 + n, 140);
        cal.backColor = 0x010203 * n;
        cal.alpha = 20 * n;
        cal.font = {FontRecordStatus::Ok,
                    {QStringLiteral("Face %1").arg(version / 2 + n), 128, 10 + n, kFontStyleBold, TColorValue(n)}};
        w.calendars.push_back(cal);
        w.photos.push_back({QRect(30 * n, 40 * n, 300, 200), QStringLiteral("/photos/写真%1.jpg").arg(n)});
    }
    w.paperColor = TColorValue(version);
    w.commonFont = {FontRecordStatus::Ok, {QStringLiteral("Common %1").arg(version / 2), 1, 12, 0, 0x654321}};
    c.belongsTo = QStringLiteral("/home/user/カレンダー.ini");
    return c;
}
