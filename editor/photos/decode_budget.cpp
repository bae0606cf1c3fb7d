#include "decode_budget.h"

#include <QSemaphore>

#include <algorithm>

namespace tamarie {

namespace {
constexpr qint64 kUnit = 1024 * 1024;
constexpr int kUnits = int(kDecodeBudgetBytes / kUnit);

QSemaphore &Budget()
{
    static QSemaphore budget(kUnits);
    return budget;
}
} // namespace

DecodeBudgetHold::DecodeBudgetHold(qint64 bytes)
    : units_(int(std::clamp<qint64>((bytes + kUnit - 1) / kUnit, 1, kUnits)))
{
    Budget().acquire(units_);
}

DecodeBudgetHold::~DecodeBudgetHold() { Budget().release(units_); }

} // namespace tamarie
