#include "core/RemindWindows.h"

#include <algorithm>

namespace almanis {

namespace {
// The windows' switches in the order of kDays.
std::array<bool RemindWindows::*, 5> switches() {
    return {&RemindWindows::onTheDay, &RemindWindows::threeDaysBefore,
            &RemindWindows::sevenDaysBefore, &RemindWindows::fourteenDaysBefore,
            &RemindWindows::thirtyDaysBefore};
}
}  // namespace

QList<int> RemindWindows::days() const {
    QList<int> on;
    for (std::size_t i = 0; i < kDays.size(); ++i) {
        if (this->*switches()[i]) {
            on.append(kDays[i]);
        }
    }
    return on;
}

std::optional<RemindWindows> RemindWindows::fromDays(const QList<int>& days) {
    RemindWindows windows;
    for (const int day : days) {
        const auto at = std::find(kDays.begin(), kDays.end(), day);
        if (at == kDays.end()) {
            return std::nullopt;
        }
        windows.*switches()[std::size_t(at - kDays.begin())] = true;
    }
    return windows;
}

QString RemindWindows::toText() const {
    QStringList texts;
    for (const int day : days()) {
        texts.append(QString::number(day));
    }
    return texts.join(QLatin1Char(','));
}

std::optional<RemindWindows> RemindWindows::fromText(QStringView text) {
    if (text.trimmed().isEmpty()) {
        return RemindWindows{};
    }
    QList<int> days;
    for (const QStringView part : text.split(QLatin1Char(','))) {
        bool number = false;
        const int day = part.trimmed().toInt(&number);
        if (!number || days.contains(day)) {
            return std::nullopt;
        }
        days.append(day);
    }
    return fromDays(days);
}

quint8 RemindWindows::mask() const {
    quint8 bits = 0;
    for (std::size_t i = 0; i < kDays.size(); ++i) {
        if (this->*switches()[i]) {
            bits |= quint8(1u << i);
        }
    }
    return bits;
}

RemindWindows RemindWindows::fromMask(quint8 mask) {
    RemindWindows windows;
    for (std::size_t i = 0; i < kDays.size(); ++i) {
        windows.*switches()[i] = (mask >> i) & 1u;
    }
    return windows;
}

}  // namespace almanis
