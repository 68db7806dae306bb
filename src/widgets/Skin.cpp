#include "widgets/Skin.h"

#include "core/AppError.h"
#include "widgets/Design.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace almanis {

void Skin::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw AppError(
            QCoreApplication::translate("almanis::Skin", "The skin %1 cannot be read: %2")
                .arg(path, file.errorString()));
    }
    styleSheet_ = QString::fromUtf8(file.readAll());
}

void Skin::applyTo(QWidget& window) {
    if (options_ & 1) {
        window.setStyleSheet(styleSheet_);
    }
    applied_ = true;
}

void applySkin(QWidget& window, Skin& skin, const QString& programFolder) {
    const QString path = programFolder + QLatin1String(kSkinFile);
    if (!QFileInfo(path).isFile()) {
        return;
    }
    applyButtonFaceColours(window);
    skin.load(path);
    skin.setOptions(skin.options() | 1);
    skin.setApplyColours(true);
    skin.setApplyMetrics(true);
    skin.applyTo(window);
}

}  // namespace almanis
