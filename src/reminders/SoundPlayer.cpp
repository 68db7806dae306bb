#include "reminders/SoundPlayer.h"

#include "core/AppError.h"
#include "reminders/Sound.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace almanis {

void SoundPlayer::open() {
    const QFileInfo file(fileName_);
    if (!file.isFile() || !file.isReadable()) {
        throw AppError(QCoreApplication::translate("almanis::SoundPlayer",
                                                   "The specified file cannot be played: %1")
                           .arg(fileName_));
    }
    opened_ = fileName_;
}

void SoundPlayer::play() {
    if (opened_.isEmpty()) {
        throw AppError(
            QCoreApplication::translate("almanis::SoundPlayer", "The device is not open"));
    }
    sound_.play(opened_);
}

}  // namespace almanis
