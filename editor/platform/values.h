#pragma once
// Values shared by every part of the editor: dates as days since 1899-12-30,
// colours as 0x00BBGGRR, and rounding to the nearest with halves to even.
#include <QColor>
#include <QDate>
#include <cstdint>

namespace tamarie {

using TDateValue = double;
using TColorValue = std::int32_t;

// Named colours used as defaults (0x00BBGGRR).
constexpr TColorValue clWhite = 0xFFFFFF;
constexpr TColorValue clBlack = 0x000000;
constexpr TColorValue clRed = 0x0000FF;
constexpr TColorValue clYellow = 0x00FFFF;
constexpr TColorValue clMoneyGreen = 0xC0DCC0;
constexpr TColorValue clSkyBlue = 0xF0CAA6;

TDateValue DateToValue(const QDate &date);
// An invalid QDate for values outside 0001-01-01 .. 9999-12-31 or not finite.
QDate ValueToDate(TDateValue value);

QColor ValueToColor(TColorValue value);
TColorValue ColorToValue(const QColor &color);

// Nearest integer, halves to the even neighbour (16.5 -> 16, 19.5 -> 20).
int RoundHalfEven(double x);

} // namespace tamarie
