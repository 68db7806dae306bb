#include "reminders/SoundPlayer.h"

#include "core/AppError.h"
#include "reminders/Sound.h"

#include <QFileInfo>

namespace almanis {

void MMControl::Command(const QString& command) {
    if (command.compare(QLatin1String("Open"), Qt::CaseInsensitive) == 0) {
        const QFileInfo file(FileName);
        if (!file.isFile() || !file.isReadable()) {
            throw AppError(QStringLiteral("The specified file cannot be played: %1").arg(FileName));
        }
        opened_ = FileName;
        return;
    }
    if (command.compare(QLatin1String("Play"), Qt::CaseInsensitive) == 0) {
        if (opened_.isEmpty()) {
            throw AppError(QStringLiteral("The device is not open"));
        }
        sound_.play(opened_);
        return;
    }
    throw AppError(QStringLiteral("Unknown multimedia command: %1").arg(command.left(40)));
}

}  // namespace almanis
