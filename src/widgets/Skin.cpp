#include "widgets/Skin.h"

#include "core/AppError.h"
#include "core/Paths.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>

namespace almanis {

void SkinFramework::LoadSkin(const QString& path, const QString& /*ini*/) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw AppError(QStringLiteral("The skin %1 cannot be read: %2").arg(path, file.errorString()));
    }
    styleSheet_ = QString::fromUtf8(file.readAll());
}

void SkinFramework::ApplyWindow(QWidget& window) {
    if (options_ & 1) {
        window.setStyleSheet(styleSheet_);
    }
    applied_ = true;
}

namespace {
bool themed(const QWidget* widget) {
    return qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget) ||
           qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QLabel*>(widget);
}

void setBackground(QWidget& widget, const QColor& colour) {
    // Check boxes and option buttons fill with their button colour, frames
    // and labels with the window colour.
    QPalette palette = widget.palette();
    palette.setColor(widget.backgroundRole(), colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void colourControls(QWidget& window, const QColor& colour) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (themed(child)) {
            setBackground(*child, colour);
        }
    }
}
}  // namespace

void ApplyFormColors(QWidget& window) {
    const QColor face = window.palette().color(QPalette::Button);
    setBackground(window, face);
    colourControls(window, face);
}

void applyDesignColors(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QCheckBox*>(child) || qobject_cast<QGroupBox*>(child)) {
            setBackground(*child, Qt::white);
        }
    }
}

void ApplySkin(QWidget& window, SkinFramework& skin, const QString& programFolder) {
    const QString path = programFolder + QLatin1String(kSkinFile);
    if (!QFileInfo(path).isFile()) {
        return;
    }
    ApplyFormColors(window);
    skin.LoadSkin(path, QString());
    skin.setOptions(skin.Options() | 1);
    skin.setApplyColors(true);
    skin.setApplyMetrics(true);
    skin.ApplyWindow(window);
}

}  // namespace almanis
