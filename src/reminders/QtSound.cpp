#include "reminders/QtSound.h"

#include <QSoundEffect>
#include <QUrl>

namespace almanis {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

void QtSound::play(const QString& wavPath) {
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>();
    }
    effect_->setSource(QUrl::fromLocalFile(wavPath));
    effect_->setLoopCount(1);
    effect_->play();
}

}  // namespace almanis
