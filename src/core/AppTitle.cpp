#include "core/AppTitle.h"

namespace almanis {

namespace {
QString& title() {
    static QString value = QLatin1String(kProductName);
    return value;
}

QString cutAtLastBlank(const QString& text) {
    const qsizetype blank = text.lastIndexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}
}  // namespace

QString titleFromProductName(const QString& productName) {
    if (!productName.contains(QLatin1Char(' '))) {
        return productName;
    }
    QString text = cutAtLastBlank(productName);
    while (text.size() > kTitleLimit && text.contains(QLatin1Char(' '))) {
        text = cutAtLastBlank(text);
    }
    // A last word longer than the limit has no blank left to cut at.
    return text.left(kTitleLimit);
}

void setAppTitle() {
    title() = titleFromProductName(QLatin1String(kProductName));
}

const QString& appTitle() {
    return title();
}

}  // namespace almanis
