#pragma once

#include <string>
#include <string_view>

// Saved pictures and clips are named after the moment they were taken, to the second, so that
// they sort by it: YYYY the year, MM the month, DD the day, hh, mm and ss the time of day, each
// with leading zeros. The desktop adds -2, -3 for more within one second; a browser numbers its
// downloads itself.
inline constexpr std::string_view PictureNamePattern = "brumox-YYYYMMDD-hhmmss";

// A moment of the local clock, as the player reads it.
struct Moment {
    int year;
    int month; // 1 to 12
    int day;
    int hour;
    int minute;
    int second;
};

// The pattern filled in: "brumox-20240131-235959".
std::string pictureStem(const Moment& at);
