#include "reminders/Form3.h"

#include "app/Services.h"
#include "reminders/ReminderEngine.h"

namespace almanis {

bool Form3::isTesting = false;

Form3::Form3(Services& services, const Connection& eventDb, ReminderEngine& engine,
             const RemindWindows& windows, QWidget* parent)
    : QDialog(parent), services_(services), eventDb_(eventDb), engine_(engine), windows_(windows) {
    setWindowTitle(QStringLiteral("Event Alert!"));
}

void Form3::Form_Load() {}

}  // namespace almanis
