#pragma once

#include <QString>

namespace almanis {

class Sound;

// The alarm window's sound player: it is given a file name, then the commands
// "Open" and "Play". Playing goes through the injected Sound service, so it
// never waits and a machine without a sound card stays silent.
class MMControl {
  public:
    explicit MMControl(Sound& sound) : sound_(sound) {}

    QString FileName;

    // "Open" readies FileName; "Play" plays the opened file once. Throws
    // AppError for a file that can't be opened, for "Play" before "Open" and
    // for any other command.
    void Command(const QString& command);

    bool isOpen() const { return !opened_.isEmpty(); }

  private:
    Sound& sound_;
    QString opened_;
};

}  // namespace almanis
