#pragma once

#include <QString>

class QCheckBox;

namespace almanis {

class Form1;
class Guard;

// The seven option boxes of the main window: each is stored the moment it
// changes and restored when the program starts.
class Options {
  public:
    // Connects the boxes' changes to the handlers below.
    explicit Options(Form1& form);

    // Restores the boxes in their order, each a step of the load from `firstStep`
    // on. Setting a box runs its handler, which stores the value just read.
    void restore(Guard& load, int firstStep);

    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check8_Click();

  private:
    void saveRemindBox(const QCheckBox& box, const QString& key);
    void saveOnOff(const QCheckBox& box, const QString& key);
    void restoreRemindBox(QCheckBox& box, const QString& key, const QString& defaultValue);
    void restoreOnOff(QCheckBox& box, const QString& key);

    Form1& form_;
};

}  // namespace almanis
