#pragma once

#include <QObject>

namespace almanis {

class Form1;

// The main window's text file commands: import, export and the note on the
// file's format.
class ExchangeCommands final : public QObject {
    Q_OBJECT
  public:
    explicit ExchangeCommands(Form1& form);

    // "Import Events From Text File"
    void PushButton8_Click();
    // "Export Events To File"
    void PushButton9_Click();
    // The "?" beside them.
    void PushButton10_Click();

  private:
    Form1& form_;
};

}  // namespace almanis
