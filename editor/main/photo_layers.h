#pragma once
// The rules of the photo layers that need no window: the delete question
// and the drag threshold.  The photos themselves are part of the document;
// their controls on the paper show it (photo_layers.cpp).
#include <QPoint>
#include <QSet>
#include <QString>
#include <optional>

namespace tamarie {

// The delete question: 画像"name"を削除しますか? with the file name without
// folder and extension (either kind of path separator).
QString DeletePhotoQuestion(const QString &fileName);

// A drag moves the photo only once the pointer is more than this many pixels
// away from the grabbed point on either axis; then by the whole offset.
constexpr int kPhotoDragThreshold = 5;
std::optional<QPoint> PhotoDragOffset(const QPoint &downPoint, const QPoint &pointer);

} // namespace tamarie
