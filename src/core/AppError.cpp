#include "core/AppError.h"

#include <QCoreApplication>

namespace almanis {

AppError::AppError(const QString& description)
    : std::runtime_error(description.toStdString()), description_(description) {}

int wholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok) {
        throw typeMismatch(text);
    }
    return value;
}

AppError typeMismatch(const QString& value) {
    return AppError(QCoreApplication::translate("almanis::AppError",
                                                "Type mismatch: '%1' is not a whole number")
                        .arg(value.left(80)));
}

}  // namespace almanis
