#pragma once

#include "reminders/Sound.h"

#include <memory>

namespace almanis {

// Plays the alarm through the sound card. The audio back end lives in a module
// beside the program, loaded at the first alarm: linking it into the program
// would cost every start more than the rest of the start-up together. Without
// the module or a sound card the alarm stays silent and nothing waits.
class QtSound final : public Sound {
  public:
    explicit QtSound(QString moduleFolder);
    ~QtSound() override;
    void play(const QString& wavPath) override;

  private:
    QString moduleFolder_;
    bool tried_ = false;
    std::unique_ptr<Sound> player_;
};

}  // namespace almanis
