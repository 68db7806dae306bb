#pragma once

#include <QObject>

namespace almanis {

class Form1;

// The main window's push buttons for adding, changing and deleting events, the
// sample event, the test alarm and the two help notes.
class MainCommands final : public QObject {
    Q_OBJECT
  public:
    explicit MainCommands(Form1& form);

    void PushButton1_Click();  // Delete Reminder
    void PushButton2_Click();  // Edit Reminder
    void PushButton3_Click();  // Test Alarm
    void PushButton4_Click();  // Load Sample/Example Data
    void PushButton5_Click();  // Help
    void PushButton6_Click();  // Add Reminder
    void PushButton7_Click();  // note on the test alarm

  private:
    Form1& form_;
};

}  // namespace almanis
