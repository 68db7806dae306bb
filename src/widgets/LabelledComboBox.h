#pragma once

#include <QComboBox>

class QLabel;

namespace almanis {

// A combo box that a screen reader names after its label. Qt on Linux names
// a combo box by its current value and leaves the label to a relation, so a
// list of months would be read out as "May"; this one is read as "Month",
// with "May" as its value.
class LabelledComboBox final : public QComboBox {
    Q_OBJECT
  public:
    explicit LabelledComboBox(QWidget* parent = nullptr);

    // Makes `label` the box's label: its mnemonic moves the focus here, and its
    // text, without the mnemonic and the colon, becomes the accessible name.
    void setLabel(QLabel& label);
};

}  // namespace almanis
