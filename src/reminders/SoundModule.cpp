// The audio back end of the alarm, built as a module that the program loads
// at its first alarm.
#include "reminders/Sound.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectPlayer final : public almanis::Sound {
  public:
    void play(const QString& wavPath) override {
        effect_.setSource(QUrl::fromLocalFile(wavPath));
        effect_.setLoopCount(1);
        effect_.play();
    }

  private:
    QSoundEffect effect_;
};

}  // namespace

extern "C" Q_DECL_EXPORT almanis::Sound* almanis_create_sound() {
    return new EffectPlayer;
}
