#pragma once
// The memory every photo decode of the process shares.  A decode holds its
// share while it runs; one that would overdraw waits for others to finish,
// so a file naming a hundred photos still decodes one large picture at a
// time, however many threads ask.
#include <QtGlobal>

namespace tamarie {

// Bytes all decodes together may hold.
constexpr qint64 kDecodeBudgetBytes = qint64(640) * 1024 * 1024;

class DecodeBudgetHold {
public:
    // Waits until bytes (at most the whole budget) are free, then holds them.
    explicit DecodeBudgetHold(qint64 bytes);
    ~DecodeBudgetHold();
    DecodeBudgetHold(const DecodeBudgetHold &) = delete;
    DecodeBudgetHold &operator=(const DecodeBudgetHold &) = delete;

private:
    int units_;
};

} // namespace tamarie
