#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// A direction, y upwards, as its cosine and sine from their Taylor series after taking the angle
// to within pi/4 of a multiple of pi/2. The C library's last bits differ between platforms, and
// whatever uses these must come out the same everywhere.
struct Direction {
    double x;
    double y;

    explicit Direction(double angle) {
        constexpr double HalfPi = 1.5707963267948966;
        // Far beyond any turn the game makes, where a double still holds the angle to 1e-10.
        const double radians = std::clamp(angle, -1e6, 1e6);
        const double turns = std::round(radians / HalfPi);
        const double r = radians - turns * HalfPi;
        const double r2 = r * r;
        double sine = 1.0, cosine = 1.0;
        for (int n = 10; n >= 1; --n) {
            sine = 1.0 - r2 / ((2 * n) * (2 * n + 1)) * sine;
            cosine = 1.0 - r2 / ((2 * n - 1) * (2 * n)) * cosine;
        }
        sine *= r;
        switch (static_cast<std::int64_t>(turns) & 3) {
        case 0:
            x = cosine, y = sine;
            break;
        case 1:
            x = -sine, y = cosine;
            break;
        case 2:
            x = -cosine, y = -sine;
            break;
        default:
            x = sine, y = -cosine;
            break;
        }
    }
};

// The sine alone, as exact across platforms as Direction.
inline double exactSine(double angle) {
    return Direction(angle).y;
}
