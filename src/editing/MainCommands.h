#pragma once

#include <QObject>

namespace almanis {

class Form1;

// The main window's push buttons.
class MainCommands final : public QObject {
    Q_OBJECT
public:
    explicit MainCommands(Form1& form);

private:
    Form1& form_;
};

}  // namespace almanis
