#pragma once
// A wait cursor for the lifetime of the object (saving, printing).
#include <QApplication>
#include <QCursor>

namespace tamarie {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace tamarie
