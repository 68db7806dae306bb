#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace almanis {

// Remind windows: the day itself, and 3, 7, 14 and 30 days before. The
// options' check boxes switch them on for every event; an event may have
// windows of its own instead.
struct RemindWindows {
    bool onTheDay = false;
    bool threeDaysBefore = false;
    bool sevenDaysBefore = false;
    bool fourteenDaysBefore = false;
    bool thirtyDaysBefore = false;

    // The days before the event that the windows stand for, in their order.
    static constexpr std::array<int, 5> kDays = {0, 3, 7, 14, 30};

    // True when a switched-on window matches the days left exactly.
    bool isDue(int daysLeft) const {
        return (onTheDay && daysLeft == 0) || (threeDaysBefore && daysLeft == 3) ||
               (sevenDaysBefore && daysLeft == 7) || (fourteenDaysBefore && daysLeft == 14) ||
               (thirtyDaysBefore && daysLeft == 30);
    }

    // The days of the switched-on windows, in rising order.
    QList<int> days() const;
    // The windows of these days; nothing when a day is not one of kDays.
    static std::optional<RemindWindows> fromDays(const QList<int>& days);

    // The days as the store, the command line and files write them: "0,7,30",
    // "" for none.
    QString toText() const;
    // Reads toText()'s form; blanks around the numbers are allowed, and each
    // day may come once. Nothing for any other text.
    static std::optional<RemindWindows> fromText(QStringView text);

    // One bit a window, in the order of kDays, for rows kept compact.
    quint8 mask() const;
    static RemindWindows fromMask(quint8 mask);

    friend bool operator==(const RemindWindows&, const RemindWindows&) = default;
};

}  // namespace almanis
