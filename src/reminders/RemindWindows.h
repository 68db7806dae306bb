#pragma once

namespace almanis {

// The remind windows that the user switched on: the day itself, and 3, 7, 14
// and 30 days before.
struct RemindWindows {
    bool onTheDay = false;
    bool threeDaysBefore = false;
    bool sevenDaysBefore = false;
    bool fourteenDaysBefore = false;
    bool thirtyDaysBefore = false;

    // True when a switched-on window matches the days left exactly.
    bool isDue(int daysLeft) const {
        return (onTheDay && daysLeft == 0) || (threeDaysBefore && daysLeft == 3) ||
               (sevenDaysBefore && daysLeft == 7) || (fourteenDaysBefore && daysLeft == 14) ||
               (thirtyDaysBefore && daysLeft == 30);
    }
};

}  // namespace almanis
