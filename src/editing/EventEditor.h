#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace almanis {

class Connection;
class PointerRule;
struct Services;

// The event editor: adds a new yearly event, or changes the one whose id is
// mEventID. A successful save writes one statement, refills the main list and
// closes the dialog.
class Form2 final : public QDialog {
    Q_OBJECT
  public:
    // `listEvents` refills the main window's list after a save.
    Form2(Services& services, Connection& eventDb, std::function<void()> listEvents,
          QWidget* parent = nullptr);

    // Empty: the dialog adds an event; otherwise the id of the event it changes.
    // It outlives the window, so every caller sets it before each opening.
    static QString mEventID;

    void Form_Load();
    void PushButton6_Click();
    void PushButton1_Click();

    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* MonthLabel = nullptr;  // Label1(1)
    QComboBox* Combo1 = nullptr;
    QLabel* DayLabel = nullptr;  // Label1(2)
    QComboBox* Combo2 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton1 = nullptr;
    PointerRule* pointer = nullptr;

  protected:
    void reject() override;

  private:
    Services& services_;
    Connection& eventDb_;
    std::function<void()> listEvents_;
};

}  // namespace almanis
