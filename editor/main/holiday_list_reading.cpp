// The published holiday list in the data folder, read once at start-up: the
// day cells and the schedule panel then follow it for the years it covers.
#include "dialogs.h"
#include "holiday_list.h"
#include "holidays.h"
#include "tform1.h"

#include <QDir>

namespace tamarie {

void TForm1::ReadHolidayList()
{
    const QString path = DataFolda + u'/' + QString::fromUtf16(kHolidayListFileName);
    THolidayListRead read = ReadHolidayListFile(path);
    // A damaged list is set aside whole; the rules keep deciding every year.
    UseHolidayList(read.list ? std::move(*read.list) : THolidayList());
    if (!read.error.isEmpty())
        dialogs::ShowMessage(QStringLiteral("祝日一覧 %1 を使えません(%2)。祝日は計算で求めます。")
                                 .arg(QDir::toNativeSeparators(path), read.error),
                             this);
}

} // namespace tamarie
