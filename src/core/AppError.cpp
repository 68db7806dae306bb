#include "core/AppError.h"

namespace almanis {

AppError::AppError(const QString& description)
    : std::runtime_error(description.toStdString()), description_(description) {}

int wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        throw AppError(
            QStringLiteral("Type mismatch: '%1' is not a whole number").arg(text.left(80)));
    }
    return value;
}

}  // namespace almanis
