#pragma once

#include <QDialog>

namespace almanis {

// The event editor dialog.
class Form2 final : public QDialog {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
};

}  // namespace almanis
