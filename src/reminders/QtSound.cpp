#include "reminders/QtSound.h"

#include <QLibrary>
#include <QtDebug>

namespace almanis {

QtSound::QtSound(QString moduleFolder) : moduleFolder_(std::move(moduleFolder)) {}

QtSound::~QtSound() = default;

void QtSound::play(const QString& wavPath) {
    if (!tried_) {
        tried_ = true;
        // Never unloaded: the player's code must outlive it.
        QLibrary module(moduleFolder_ + QStringLiteral("/almanis_sound"));
        using Create = Sound* (*)();
        if (auto create = reinterpret_cast<Create>(module.resolve("almanis_create_sound"))) {
            player_.reset(create());
        } else {
            qWarning("The alarm sound is off: %s", qPrintable(module.errorString()));
        }
    }
    if (player_) {
        player_->play(wavPath);
    }
}

}  // namespace almanis
