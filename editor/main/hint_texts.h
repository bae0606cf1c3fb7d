#pragma once
// The size/position read-out shown as a hint over a calendar or a photo.
// Lines are separated by a lone CR.
#include <QString>

namespace tamarie {

// "[カレンダーn]", "横:WX 縦:H", "左上座標:(x,y)"; (x, y) in the main window's
// client coordinates.
QString CalendarHintText(int n, int width, int height, int x, int y);
// "[画像]", "横:WX 縦:H", "左上座標:(L,T)"; (L, T) inside the paper.
QString PhotoHintText(int width, int height, int left, int top);

} // namespace tamarie
