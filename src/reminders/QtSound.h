#pragma once

#include "reminders/Sound.h"

#include <QSoundEffect>

namespace almanis {

// Plays the alarm through the sound card. Without a sound card it stays
// silent and nothing waits.
class QtSound final : public Sound {
public:
    void play(const QString& wavPath) override;

private:
    QSoundEffect effect_;
};

}  // namespace almanis
