#include "editing/Form2.h"

namespace almanis {

Form2::Form2(QWidget* parent) : QDialog(parent) {}

}  // namespace almanis
