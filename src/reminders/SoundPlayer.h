#pragma once

#include <QString>

namespace almanis {

class Sound;

// The alarm window's sound player: given a file, it is opened, then played.
// Playing goes through the injected Sound service, so it never waits and a
// machine without a sound card stays silent.
class SoundPlayer {
  public:
    explicit SoundPlayer(Sound& sound) : sound_(sound) {}

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

    // Readies the file; throws AppError for a file that can't be played.
    void open();
    // Plays the opened file once; throws AppError when nothing is open.
    void play();

    bool isOpen() const { return !opened_.isEmpty(); }

  private:
    Sound& sound_;
    QString fileName_;
    QString opened_;
};

}  // namespace almanis
