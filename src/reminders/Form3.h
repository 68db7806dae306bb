#pragma once

#include "reminders/DaysLeft.h"

#include <QDialog>

namespace almanis {

class Connection;
class ReminderEngine;
struct Services;

// The alarm window "Event Alert!": lists the due events, plays the alarm sound
// and takes the answer, remind again later or not again in this run.
class Form3 final : public QDialog {
    Q_OBJECT
public:
    Form3(Services& services, const Connection& eventDb, ReminderEngine& engine,
          const RemindWindows& windows, QWidget* parent = nullptr);

    // Runs when the window opens.
    void Form_Load();

    // Set by the test command while it shows the window.
    static bool isTesting;

private:
    Services& services_;
    const Connection& eventDb_;
    ReminderEngine& engine_;
    RemindWindows windows_;
};

}  // namespace almanis
