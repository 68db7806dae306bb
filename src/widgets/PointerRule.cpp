#include "widgets/PointerRule.h"

#include "core/AppError.h"

#include <QEvent>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>

namespace almanis {

PointerRule::PointerRule(QWidget& window) : QObject(&window), window_(window) {}

void PointerRule::loadHand(const QString& curPath) {
    QImageReader reader(curPath, "cur");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        throw AppError(tr("Invalid picture: %1").arg(curPath));
    }
    // The hot spot sits in the file's first directory entry (bytes 10 to 13).
    int hotX = 0;
    int hotY = 0;
    QFile file(curPath);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray head = file.read(14);
        if (head.size() == 14) {
            hotX = static_cast<uchar>(head[10]) | static_cast<uchar>(head[11]) << 8;
            hotY = static_cast<uchar>(head[12]) | static_cast<uchar>(head[13]) << 8;
        }
    }
    hand_ = QCursor(QPixmap::fromImage(image), hotX, hotY);
    hasHand_ = true;
}

void PointerRule::watchButton(QWidget* button) {
    button->setMouseTracking(true);
    button->installEventFilter(this);
    buttons_.append(button);
}

void PointerRule::watchBackground(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void PointerRule::setShape(Shape shape) {
    shape_ = shape;
    switch (shape) {
        case Hourglass:
            window_.setCursor(Qt::WaitCursor);
            break;
        case Hand:
            if (hasHand_) {
                window_.setCursor(hand_);
            } else {
                window_.unsetCursor();
            }
            break;
        case Arrow:
            window_.unsetCursor();
            break;
    }
}

void PointerRule::overButton() {
    if (shape_ != Hourglass) {
        setShape(Hand);
    }
}

void PointerRule::overBackground() {
    if (shape_ != Hourglass) {
        setShape(Arrow);
    }
}

bool PointerRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (buttons_.contains(watched)) {
            overButton();
        } else {
            overBackground();
        }
    }
    return QObject::eventFilter(watched, event);
}
}  // namespace almanis
