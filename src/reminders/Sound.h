#pragma once

#include <QString>

namespace almanis {

// Plays a sound file once, without waiting. The program plays through the
// sound card; tests record what would have played.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void play(const QString& wavPath) = 0;
};

}  // namespace almanis
