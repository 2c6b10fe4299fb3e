#!/usr/bin/env python3
"""Builds the Chinese lunar calendar table for the lunar years 1900-2100.

The calendar is computed from astronomy alone, by the rules of the modern calendar:
  * a month begins on the day (China standard time, UTC+8) of a new moon;
  * the month holding the winter solstice is the eleventh;
  * when twelve months do not fill the span from one eleventh month to the next, the first
    month in that span without a principal solar term (a multiple of 30 degrees of solar
    longitude) is the leap month, and takes the number of the month before it.

New moons come from the series of Meeus, "Astronomical Algorithms" (2nd ed.), chapter 49; the
Sun's apparent longitude from the truncated VSOP87 theory of its appendix III with FK5,
nutation and aberration corrections (chapters 22 and 25); Delta T from the polynomials of
Espenak and Meeus. The results are accurate to a few seconds of time in TD, far below the
uncertainty of Delta T, so only events within a minute or so of midnight can be doubtful; the
script lists every such event so that the cross-check can look at them.

Usage: tools/gen_lunar_table.py [--check | --dump] > src/clock/LunarTable.cpp
  --check   print the events close to midnight and the leap months instead of the C++ table;
  --dump    print one line per lunar year: year, New Year's day, leap month, month lengths
            (the form tools/lunar_crosscheck.js compares).
"""

import math
import sys

# ---------------------------------------------------------------------------------------------
# Time scales

def jd_from_civil(y, m, d):
    """Julian day at 0h of a proleptic Gregorian date."""
    if m <= 2:
        y -= 1
        m += 12
    a = y // 100
    b = 2 - a + a // 4
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + d + b - 1524.5


def civil_from_jd(jd):
    """Proleptic Gregorian (year, month, day) of the day that contains the Julian day jd."""
    z = math.floor(jd + 0.5)
    alpha = math.floor((z - 1867216.25) / 36524.25)
    a = z + 1 + alpha - alpha // 4
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e)
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return int(year), int(month), int(day)


def delta_t_seconds(year):
    """TD - UT in seconds (Espenak and Meeus polynomials), year as a decimal year."""
    y = year
    if y < 1900:
        t = y - 1860
        return (7.62 + 0.5737 * t - 0.251754 * t**2 + 0.01680668 * t**3
                - 0.0004473624 * t**4 + t**5 / 233174)
    if y < 1920:
        t = y - 1900
        return -2.79 + 1.494119 * t - 0.0598939 * t**2 + 0.0061966 * t**3 - 0.000197 * t**4
    if y < 1941:
        t = y - 1920
        return 21.20 + 0.84493 * t - 0.076100 * t**2 + 0.0020936 * t**3
    if y < 1961:
        t = y - 1950
        return 29.07 + 0.407 * t - t**2 / 233 + t**3 / 2547
    if y < 1986:
        t = y - 1975
        return 45.45 + 1.067 * t - t**2 / 260 - t**3 / 718
    if y < 2005:
        t = y - 2000
        return (63.86 + 0.3345 * t - 0.060374 * t**2 + 0.0017275 * t**3
                + 0.000651814 * t**4 + 0.00002373599 * t**5)
    if y < 2050:
        t = y - 2000
        return 62.92 + 0.32217 * t + 0.005589 * t**2
    if y < 2150:
        return -20 + 32 * ((y - 1820) / 100) ** 2 - 0.5628 * (2150 - y)
    u = (y - 1820) / 100
    return -20 + 32 * u * u


def ut_from_td(jde):
    year = 2000 + (jde - 2451545.0) / 365.25
    return jde - delta_t_seconds(year) / 86400.0


# China standard time (120 degrees east) governs the calendar from 1929 on; the calendars before
# were computed for the meridian of Beijing, 116 degrees 25 minutes east (UT + 7 h 45 min 40 s).
# The 1914, 1916 and 1920 calendars differ between the two: new moons within minutes after
# midnight at 120 degrees east fall on the evening before at Beijing.
STANDARD_TIME_FROM_JD = 2425612.5 - 8 / 24  # 1929-01-01 00:00 UTC+8
BEIJING_MERIDIAN_OFFSET_DAYS = (7 * 3600 + 45 * 60 + 40) / 86400
STANDARD_OFFSET_DAYS = 8 / 24


def zone_offset_days(jd_ut):
    return STANDARD_OFFSET_DAYS if jd_ut >= STANDARD_TIME_FROM_JD else BEIJING_MERIDIAN_OFFSET_DAYS


def beijing_date(jd_ut):
    """Civil date in Chinese civil time of a moment given as a Julian day in UT."""
    return civil_from_jd(jd_ut + zone_offset_days(jd_ut))


def beijing_day_number(jd_ut):
    """Whole-day number (Julian day number) of the Chinese civil date of a moment."""
    return math.floor(jd_ut + zone_offset_days(jd_ut) + 0.5)


# Where the published calendar puts a month's first day on another day than the computation,
# and the computed new moon lies so close to midnight that the computation cannot decide:
# computed first day -> published first day. Each entry is checked to be within
# OVERRIDE_WINDOW_MINUTES of midnight, so the list cannot hide a real fault of the computation.
#  * 1906-04: the last imperial calendars followed the older theory of their time; the new moon
#    fell 8 minutes before Beijing midnight by modern reckoning and the calendar began the month
#    on the next day.
#  * 2057-09: the new moon falls within seconds of midnight (UTC+8), far inside the uncertainty
#    of Delta T; the published calendars begin the month on 09-29.
PUBLISHED_MONTH_STARTS = {
    (1906, 4, 23): (1906, 4, 24),
    (2057, 9, 28): (2057, 9, 29),
}
OVERRIDE_WINDOW_MINUTES = 15


# ---------------------------------------------------------------------------------------------
# The Sun: truncated VSOP87 (heliocentric ecliptic coordinates of the Earth), Meeus appendix III.

L0 = [
    (175347046, 0, 0), (3341656, 4.6692568, 6283.0758500), (34894, 4.62610, 12566.15170),
    (3497, 2.7441, 5753.3849), (3418, 2.8289, 3.5231), (3136, 3.6277, 77713.7715),
    (2676, 4.4181, 7860.4194), (2343, 6.1352, 3930.2097), (1324, 0.7425, 11506.7698),
    (1273, 2.0371, 529.6910), (1199, 1.1096, 1577.3435), (990, 5.233, 5884.927),
    (902, 2.045, 26.298), (857, 3.508, 398.149), (780, 1.179, 5223.694), (753, 2.533, 5507.553),
    (505, 4.583, 18849.228), (492, 4.205, 775.523), (357, 2.920, 0.067), (317, 5.849, 11790.629),
    (284, 1.899, 796.298), (271, 0.315, 10977.079), (243, 0.345, 5486.778),
    (206, 4.806, 2544.314), (205, 1.869, 5573.143), (202, 2.458, 6069.777), (156, 0.833, 213.299),
    (132, 3.411, 2942.463), (126, 1.083, 20.775), (115, 0.645, 0.980), (103, 0.636, 4694.003),
    (102, 0.976, 15720.839), (102, 4.267, 7.114), (99, 6.21, 2146.17), (98, 0.68, 155.42),
    (86, 5.98, 161000.69), (85, 1.30, 6275.96), (85, 3.67, 71430.70), (80, 1.81, 17260.15),
    (79, 3.04, 12036.46), (75, 1.76, 5088.63), (74, 3.50, 3154.69), (74, 4.68, 801.82),
    (70, 0.83, 9437.76), (62, 3.98, 8827.39), (61, 1.82, 7084.90), (57, 2.78, 6286.60),
    (56, 4.39, 14143.50), (56, 3.47, 6279.55), (52, 0.19, 12139.55), (52, 1.33, 1748.02),
    (51, 0.28, 5856.48), (49, 0.49, 1194.45), (41, 5.37, 8429.24), (41, 2.40, 19651.05),
    (39, 6.17, 10447.39), (37, 6.04, 10213.29), (37, 2.57, 1059.38), (36, 1.71, 2352.87),
    (36, 1.78, 6812.77), (33, 0.59, 17789.85), (30, 0.44, 83996.85), (30, 2.74, 1349.87),
    (25, 3.16, 4690.48),
]
L1 = [
    (628331966747, 0, 0), (206059, 2.678235, 6283.075850), (4303, 2.6351, 12566.1517),
    (425, 1.590, 3.523), (119, 5.796, 26.298), (109, 2.966, 1577.344), (93, 2.59, 18849.23),
    (72, 1.14, 529.69), (68, 1.87, 398.15), (67, 4.41, 5507.55), (59, 2.89, 5223.69),
    (56, 2.17, 155.42), (45, 0.40, 796.30), (36, 0.47, 775.52), (29, 2.65, 7.11),
    (21, 5.34, 0.98), (19, 1.85, 5486.78), (19, 4.97, 213.30), (17, 2.99, 6275.96),
    (16, 0.03, 2544.31), (16, 1.43, 2146.17), (15, 1.21, 10977.08), (12, 2.83, 1748.02),
    (12, 3.26, 5088.63), (12, 5.27, 1194.45), (12, 2.08, 4694.00), (11, 0.77, 553.57),
    (10, 1.30, 6286.60), (10, 4.24, 1349.87), (9, 2.70, 242.73), (9, 5.64, 951.72),
    (8, 5.30, 2352.87), (6, 2.65, 9437.76), (6, 4.67, 4690.48),
]
L2 = [
    (52919, 0, 0), (8720, 1.0721, 6283.0758), (309, 0.867, 12566.152), (27, 0.05, 3.52),
    (16, 5.19, 26.30), (16, 3.68, 155.42), (10, 0.76, 18849.23), (9, 2.06, 77713.77),
    (7, 0.83, 775.52), (5, 4.66, 1577.34), (4, 1.03, 7.11), (4, 3.44, 5573.14), (3, 5.14, 796.30),
    (3, 6.05, 5507.55), (3, 1.19, 242.73), (3, 6.12, 529.69), (3, 0.31, 398.15),
    (3, 2.28, 553.57), (2, 4.38, 5223.69), (2, 3.75, 0.98),
]
L3 = [
    (289, 5.844, 6283.076), (35, 0, 0), (17, 5.49, 12566.15), (3, 5.20, 155.42), (1, 4.72, 3.52),
    (1, 5.30, 18849.23), (1, 5.97, 242.73),
]
L4 = [(114, 3.142, 0), (8, 4.13, 6283.08), (1, 3.84, 12566.15)]
L5 = [(1, 3.14, 0)]
B0 = [(280, 3.199, 84334.662), (102, 5.422, 5507.553), (80, 3.88, 5223.69), (44, 3.70, 2352.87),
      (32, 4.00, 1577.34)]
B1 = [(9, 3.90, 5507.55), (6, 1.73, 5223.69)]
R0 = [
    (100013989, 0, 0), (1670700, 3.0984635, 6283.0758500), (13956, 3.05525, 12566.15170),
    (3084, 5.1985, 77713.7715), (1628, 1.1739, 5753.3849), (1576, 2.8469, 7860.4194),
    (925, 5.453, 11506.770), (542, 4.564, 3930.210), (472, 3.661, 5884.927),
]
R1 = [(103019, 1.107490, 6283.075850), (1721, 1.0644, 12566.1517), (702, 3.142, 0)]
R2 = [(4359, 5.7846, 6283.0758), (124, 5.579, 12566.152)]


def _series(terms, tau):
    return sum(a * math.cos(b + c * tau) for a, b, c in terms)


def _poly(series, tau):
    return sum(_series(s, tau) * tau**i for i, s in enumerate(series)) / 1e8


def nutation_in_longitude_deg(jde):
    """Nutation in longitude (Meeus ch. 22, the 0.5" formula), in degrees."""
    t = (jde - 2451545.0) / 36525
    omega = math.radians(125.04452 - 1934.136261 * t)
    l_sun = math.radians(280.4665 + 36000.7698 * t)
    l_moon = math.radians(218.3165 + 481267.8813 * t)
    arcsec = (-17.20 * math.sin(omega) - 1.32 * math.sin(2 * l_sun)
              - 0.23 * math.sin(2 * l_moon) + 0.21 * math.sin(2 * omega))
    return arcsec / 3600


def sun_apparent_longitude_deg(jde):
    tau = (jde - 2451545.0) / 365250
    l = _poly([L0, L1, L2, L3, L4, L5], tau)
    r = _poly([R0, R1, R2], tau)
    theta = math.degrees(l) + 180.0
    t = tau * 10
    # FK5 frame: the correction to the longitude is -0.09033".
    theta += -0.09033 / 3600
    _ = _poly([B0, B1], tau)  # latitude: not needed for the longitude
    theta += nutation_in_longitude_deg(jde)
    theta += -20.4898 / 3600 / r  # aberration
    del t
    return theta % 360.0


def solar_longitude_moment(target_deg, jde_guess):
    """JDE (TD) at which the Sun's apparent longitude equals target_deg, near jde_guess."""
    jde = jde_guess
    for _ in range(50):
        diff = (target_deg - sun_apparent_longitude_deg(jde) + 180.0) % 360.0 - 180.0
        jde += diff * 365.2422 / 360.0
        if abs(diff) < 1e-8:
            break
    return jde


# ---------------------------------------------------------------------------------------------
# The Moon: true new moons (Meeus ch. 49).

def new_moon_jde(k):
    t = k / 1236.85
    jde = (2451550.09766 + 29.530588861 * k + 0.00015437 * t**2 - 0.000000150 * t**3
           + 0.00000000073 * t**4)
    e = 1 - 0.002516 * t - 0.0000074 * t**2
    m = math.radians(2.5534 + 29.10535670 * k - 0.0000014 * t**2 - 0.00000011 * t**3)
    mp = math.radians(201.5643 + 385.81693528 * k + 0.0107582 * t**2 + 0.00001238 * t**3
                      - 0.000000058 * t**4)
    f = math.radians(160.7108 + 390.67050284 * k - 0.0016118 * t**2 - 0.00000227 * t**3
                     + 0.000000011 * t**4)
    om = math.radians(124.7746 - 1.56375588 * k + 0.0020672 * t**2 + 0.00000215 * t**3)
    s = math.sin
    corr = (-0.40720 * s(mp) + 0.17241 * e * s(m) + 0.01608 * s(2 * mp) + 0.01039 * s(2 * f)
            + 0.00739 * e * s(mp - m) - 0.00514 * e * s(mp + m) + 0.00208 * e * e * s(2 * m)
            - 0.00111 * s(mp - 2 * f) - 0.00057 * s(mp + 2 * f) + 0.00056 * e * s(2 * mp + m)
            - 0.00042 * s(3 * mp) + 0.00042 * e * s(m + 2 * f) + 0.00038 * e * s(m - 2 * f)
            - 0.00024 * e * s(2 * mp - m) - 0.00017 * s(om) - 0.00007 * s(mp + 2 * m)
            + 0.00004 * s(2 * mp - 2 * f) + 0.00004 * s(3 * m) + 0.00003 * s(mp + m - 2 * f)
            + 0.00003 * s(2 * mp + 2 * f) - 0.00003 * s(mp + m + 2 * f)
            + 0.00003 * s(mp - m + 2 * f) - 0.00002 * s(mp - m - 2 * f)
            - 0.00002 * s(3 * mp + m) + 0.00002 * s(4 * mp))
    planetary = [
        (0.000325, 299.77, 0.107408, -0.009173), (0.000165, 251.88, 0.016321, 0),
        (0.000164, 251.83, 26.651886, 0), (0.000126, 349.42, 36.412478, 0),
        (0.000110, 84.66, 18.206239, 0), (0.000062, 141.74, 53.303771, 0),
        (0.000060, 207.14, 2.453732, 0), (0.000056, 154.84, 7.306860, 0),
        (0.000047, 34.52, 27.261239, 0), (0.000042, 207.19, 0.121824, 0),
        (0.000040, 291.34, 1.844379, 0), (0.000037, 161.72, 24.198154, 0),
        (0.000035, 239.56, 25.513099, 0), (0.000023, 331.55, 3.592518, 0),
    ]
    extra = sum(c * math.sin(math.radians(a0 + a1 * k + a2 * t * t)) for c, a0, a1, a2 in planetary)
    return jde + corr + extra


# ---------------------------------------------------------------------------------------------
# The calendar

STEMS = "甲乙丙丁戊己庚辛壬癸"
BRANCHES = "子丑寅卯辰巳午未申酉戌亥"
MONTH_NAMES = ["正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "十二"]


def year_name(year):
    return STEMS[(year - 4) % 10] + BRANCHES[(year - 4) % 12]


class Event:
    def __init__(self, kind, jd_ut):
        self.kind = kind
        self.jd_ut = jd_ut
        self.day = beijing_day_number(jd_ut)

    def minutes_from_midnight(self):
        frac = (self.jd_ut + zone_offset_days(self.jd_ut) + 0.5) % 1.0
        return min(frac, 1 - frac) * 1440

    def text(self):
        local = self.jd_ut + zone_offset_days(self.jd_ut) + 0.5
        secs = round((local % 1.0) * 86400)
        y, m, d = civil_from_jd(self.jd_ut + zone_offset_days(self.jd_ut))
        return "%s %04d-%02d-%02d %02d:%02d:%02d" % (self.kind, y, m, d, secs // 3600,
                                                      secs // 60 % 60, secs % 60)


def new_moons(first_jd, last_jd):
    k = math.floor((first_jd - 2451550.09766) / 29.530588861) - 1
    out = []
    unused = set(PUBLISHED_MONTH_STARTS)
    while True:
        jd = ut_from_td(new_moon_jde(k))
        if jd > last_jd:
            break
        if jd >= first_jd:
            ev = Event("new moon", jd)
            published = PUBLISHED_MONTH_STARTS.get(civil_from_jd(ev.day - 0.5))
            if published:
                if ev.minutes_from_midnight() > OVERRIDE_WINDOW_MINUTES:
                    raise SystemExit("override of %s is not near midnight" % ev.text())
                ev.day = math.floor(jd_from_civil(*published) + 0.5)
                unused.discard(civil_from_jd(jd_from_civil(*published) - 1))
            out.append(ev)
        k += 1
    if unused and first_jd < jd_from_civil(1906, 1, 1) and last_jd > jd_from_civil(2058, 1, 1):
        raise SystemExit("overrides that match no new moon: %s" % sorted(unused))
    return out


def principal_terms(first_year, last_year):
    """Moments of the Sun at longitudes that are multiples of 30 degrees."""
    out = []
    for year in range(first_year, last_year + 1):
        for i in range(12):
            lon = (270 + 30 * i) % 360  # from the winter solstice of the year before
            # Mean position: the solstice near Dec 22 of year-1, then 30.44 days a step.
            guess = jd_from_civil(year - 1, 12, 22) + i * 30.436875
            jde = solar_longitude_moment(lon, guess)
            out.append(Event("term %d" % lon, ut_from_td(jde)))
    return out


def build_months(first_year, last_year):
    """Every month from the eleventh month of first_year-1 on: (start day number, number, leap)."""
    terms = principal_terms(first_year, last_year + 1)
    solstices = [t for t in terms if t.kind == "term 270"]
    moons = new_moons(jd_from_civil(first_year - 1, 10, 1), jd_from_civil(last_year + 1, 3, 1))
    moon_days = [m.day for m in moons]
    term_days = sorted(t.day for t in terms)

    def month_index_containing(day):
        idx = max(i for i, d in enumerate(moon_days) if d <= day)
        return idx

    months = []
    for ws_a, ws_b in zip(solstices, solstices[1:]):
        a = month_index_containing(ws_a.day)
        b = month_index_containing(ws_b.day)
        count = b - a
        leap_index = None
        if count == 13:
            for i in range(a + 1, b):
                start, end = moon_days[i], moon_days[i + 1]
                if not any(start <= d < end for d in term_days):
                    leap_index = i
                    break
            assert leap_index is not None
        elif count != 12:
            raise SystemExit("%d months between solstices" % count)
        number = 11
        for i in range(a, b):
            if i == leap_index:
                months.append((moon_days[i], number, True))
                continue
            if i != a:
                number = number % 12 + 1
            months.append((moon_days[i], number, False))
    months.append((moon_days[b], 11, False))
    return months, moons, terms


def lunar_years(first_year, last_year):
    months, moons, terms = build_months(first_year, last_year + 1)
    years = []
    starts = [i for i, (_, n, leap) in enumerate(months) if n == 1 and not leap]
    for s, e in zip(starts, starts[1:]):
        day0 = months[s][0]
        year, _, _ = civil_from_jd(day0)
        if year < first_year or year > last_year:
            continue
        lengths = [months[i + 1][0] - months[i][0] for i in range(s, e)]
        leap = 0
        for i in range(s, e):
            if months[i][2]:
                leap = months[i][1]
        years.append((year, civil_from_jd(day0), lengths, leap))
    return years, moons, terms


def emit_cpp(years):
    print("// Generated by tools/gen_lunar_table.py from an astronomical computation (new moons and")
    print("// principal solar terms in Chinese civil time). Do not edit by hand; run the script.")
    print()
    print('#include "clock/LunarTable.h"')
    print()
    print("// year, New Year's day (month, day), leap month (0 = none), month lengths bit mask:")
    print("// bit i set = the i-th month of the year, leap month included, has 30 days.")
    print("// clang-format off")
    print("const LunarYearRow kLunarYears[] = {")
    for year, (y, m, d), lengths, leap in years:
        mask = sum(1 << i for i, n in enumerate(lengths) if n == 30)
        text = ";".join(str(n) for n in lengths)
        print("    {%d, %d, %d, %d, %d, 0x%04X}, // %s %s" %
              (year, m, d, leap, len(lengths), mask, year_name(year), text))
    print("};")
    print("// clang-format on")
    print()
    print("const int kLunarYearCount = sizeof(kLunarYears) / sizeof(kLunarYears[0]);")


def main():
    first, last = 1900, 2100
    years, moons, terms = lunar_years(first, last)
    if "--check" in sys.argv:
        print("# events within 10 minutes of midnight, China standard time")
        for ev in sorted(moons + terms, key=lambda e: e.jd_ut):
            if ev.minutes_from_midnight() < 10:
                print(ev.text())
        print("# leap months")
        for year, _, _, leap in years:
            if leap:
                print(year, "闰" + MONTH_NAMES[leap - 1] + "月")
        return
    if "--dump" in sys.argv:
        for year, (y, m, d), lengths, leap in years:
            print("%d %04d-%02d-%02d %d %s" % (year, y, m, d, leap, ";".join(map(str, lengths))))
        return
    emit_cpp(years)


if __name__ == "__main__":
    main()
