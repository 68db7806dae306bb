#pragma once

#include "reminders/EventListModel.h"
#include "core/EventDate.h"
#include "reminders/SoundPlayer.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeView;

namespace almanis {

class Connection;
class PointerRule;
class ReminderEngine;
struct Services;

// The alarm window "Event Alert!": lists the due events, plays the alarm sound
// and takes the answer, remind again later or not again in this run. The answer
// goes into the engine's duration; the close box leaves it as it was.
class Form3 final : public QDialog {
    Q_OBJECT
  public:
    // `parent` is the owner the window is shown with; it still opens centred
    // on the screen.
    Form3(Services& services, const Connection& eventDb, ReminderEngine& engine,
          const RemindWindows& windows, QWidget* parent = nullptr);

    // Runs when the window opens: theme, list, pointer, delays, sound.
    void Form_Load();
    // Fills the list with one line per event due today.
    void ListTodayEvent();
    // "Remind Me Later"
    void PushButton1_Click();
    // "Do Not Remind Me Again"
    void PushButton2_Click();

    // Set by the test command while it shows the window. Listing a real due
    // event clears it, so such a test behaves like a real alarm.
    static bool isTesting;

    // The delays of Combo1, by position.
    static constexpr int kDelaySeconds[] = {3600, 7200, 21600, 43200};

    ListViewModel ListView1;
    QTreeView* ListView1View = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    MMControl MMControl1;
    PointerRule* pointer = nullptr;

  private:
    void createControls();

    Services& services_;
    const Connection& eventDb_;
    ReminderEngine& engine_;
    RemindWindows windows_;
};

}  // namespace almanis
