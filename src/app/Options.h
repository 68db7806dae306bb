#pragma once

namespace almanis {

class Form1;
class Guard;

// The seven option boxes of the main window: each is stored the moment it
// changes and restored when the program starts.
class Options {
public:
    explicit Options(Form1& form);

    // Restores the boxes in their order, each a step of the load from `firstStep` on.
    void restore(Guard& load, int firstStep);

    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check8_Click();

private:
    Form1& form_;
};

}  // namespace almanis
