/* The almanac library: old lunisolar calendar and rokuyo, the 24 solar terms
 * and seasonal days, sexagenary cycle, nine stars, moon age, rising and
 * setting of sun and moon, for one date set beforehand with SetdataDll.
 *
 * One process-wide state; one thread at a time.  Texts are NUL-terminated
 * Shift-JIS (code page 932) bytes in the library's own buffer, valid until
 * the next text-returning call.  Hours are Japan Standard Time, counted from
 * the local midnight that starts the set date. */
#ifndef ALMANAC_H
#define ALMANAC_H

#if defined(_WIN32) && !defined(_WIN64)
#define ALMANAC_CALL __stdcall
#else
#define ALMANAC_CALL
#endif

#if defined(_WIN32)
#if defined(ALMANAC_BUILDING)
#define ALMANAC_API __declspec(dllexport)
#else
#define ALMANAC_API __declspec(dllimport)
#endif
#else
#define ALMANAC_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sets position and date; writes the solar month 1..12; returns the weekday (0 = Sunday). */
ALMANAC_API int ALMANAC_CALL SetdataDll(double latitude, double longitude, double height,
                                        int year, int month, int day, int *solarMonth);
/* Moon age at the hour; hour of a new or full moon on the set day, or a marker. */
ALMANAC_API void ALMANAC_CALL MoonageDll(double hour, double *moonAge, double *phaseHour);
/* type 1 rise, 2 set, 3 transit: event hour and azimuth (rise, set) or altitude (transit). */
ALMANAC_API void ALMANAC_CALL MoonDll(int type, double *hour, double *angle);
/* type 1 rise, 2 set, 3 transit, 4 morning twilight, 5 evening twilight. */
ALMANAC_API void ALMANAC_CALL SunDll(int type, double *hour, double *angle);
/* type 1 year, 2 month, 3 day: stem 0..9 and branch 0..11; returns their names. */
ALMANAC_API const char *ALMANAC_CALL EtoDll(int type, int *stem, int *branch);
/* type 1 year, 2 month, 3 day: nine-star index; returns its name.  Call EtoDll first. */
ALMANAC_API const char *ALMANAC_CALL KyuseiDll(int type, int *star);
/* Old-calendar month (negative for a leap month), day and rokuyo 0..5; returns the rokuyo name. */
ALMANAC_API const char *ALMANAC_CALL RokuyoDll(int *oldMonth, int *oldDay, int *rokuyo);
/* type 1 spring's start, 2 vernal equinox, 3 autumnal equinox: hour; returns the day of the month, or 0. */
ALMANAC_API int ALMANAC_CALL KisetuDll(int type, double *hour);
/* Term code 0..27, its hour or a marker, the sun's longitude at the end of the day; returns the term name. */
ALMANAC_API const char *ALMANAC_CALL SekkiDll(int *code, double *hour, double *sunLongitude);

#ifdef __cplusplus
}
#endif

#endif /* ALMANAC_H */
