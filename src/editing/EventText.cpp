#include "editing/EventText.h"

#include <array>

namespace almanis {

namespace {
constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",
                                                 "May",     "June",     "July",      "August",
                                                 "September", "October", "November", "December"};
}

int MonthNumberFromName(const QString& name) {
    const QString lower = name.toLower();
    for (int i = 0; i < 12; ++i) {
        if (lower == QString::fromLatin1(kMonths[i]).toLower()) {
            return i + 1;
        }
    }
    return 0;
}

QString MonthNameFromNumber(int number) {
    return number >= 1 && number <= 12 ? QString::fromLatin1(kMonths[number - 1]) : QString();
}

}  // namespace almanis
