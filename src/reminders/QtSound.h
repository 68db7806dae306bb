#pragma once

#include "reminders/Sound.h"

#include <memory>

class QSoundEffect;

namespace almanis {

// Plays the alarm through the sound card. Without a sound card it stays
// silent and nothing waits.
class QtSound final : public Sound {
  public:
    QtSound();
    ~QtSound() override;
    void play(const QString& wavPath) override;

  private:
    // Made at the first alarm: setting up the audio back end costs more than
    // the rest of the start-up together.
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace almanis
