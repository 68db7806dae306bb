#include "reminders/QtSound.h"

#include <QUrl>

namespace almanis {

void QtSound::play(const QString& wavPath) {
    effect_.setSource(QUrl::fromLocalFile(wavPath));
    effect_.setLoopCount(1);
    effect_.play();
}

}  // namespace almanis
