#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace almanis {

class SettingsStore;

// The last day on which the program checked for due reminders, kept with the
// options, so that a start after days off catches up what fell due meanwhile.
class RememberedDay {
  public:
    // The settings key, and the day as its value: "2026-06-15".
    static const QString kKey;

    explicit RememberedDay(SettingsStore& settings) : settings_(settings) {}

    // The day remembered, when it is today or earlier. A value that is
    // missing, garbled or after today (the clock was set back) reads as
    // nothing, so nothing is caught up from it.
    std::optional<QDate> read(QDate today) const;
    void write(QDate day);

  private:
    SettingsStore& settings_;
};

}  // namespace almanis
