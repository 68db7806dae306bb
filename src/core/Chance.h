#pragma once

#include <QRandomGenerator>

namespace almanis {

// The start-up draw of a whole number from 1 to 100.
class Chance {
  public:
    virtual ~Chance() = default;
    virtual int oneToHundred() = 0;
};

class SystemChance final : public Chance {
  public:
    int oneToHundred() override {
        return static_cast<int>(QRandomGenerator::system()->bounded(100)) + 1;
    }
};

}  // namespace almanis
