// Rising, setting and transit searches for the moon and the sun on the set
// day, for the observer set with the date.  Internal.
#ifndef ALMANAC_MOON_SUN_EVENTS_H
#define ALMANAC_MOON_SUN_EVENTS_H

namespace almanac {

// Local sidereal angle in degrees at time of day t of the set date.
double LocalSiderealTime(double t);

// Event searches: type 1 rise, 2 set, 3 transit (the sun also 4 morning and
// 5 evening twilight).  They iterate the time of day until the hour angle
// reaches the event's value; true when they settled in fewer than ten steps,
// in which case the event hour, azimuth and apparent altitude are updated.
bool RiseSetMoon(int type, double startHour);
bool RiseSetSun(int type);

// For a search that ended after fewer than ten steps: event hour from the
// search time, azimuth from the hour angle Q and apparent altitude from R, of
// a body at declination dec.  Changes nothing after ten steps.
void HorizonCoordinates(int steps, double dec, double Q, double R);

}  // namespace almanac

#endif  // ALMANAC_MOON_SUN_EVENTS_H
