#include "core/Guard.h"

#include "core/AppError.h"
#include "core/Ui.h"

#include <QCoreApplication>
#include <exception>

namespace almanis {

QString errorReportText(const QString& description, ErrorLocation location, int step,
                        const QString& supportEmail) {
    QString text = description + QStringLiteral("\r\n") + QStringLiteral("in Almanis2021/08/31.") +
                   QLatin1String(location.window) + QLatin1Char('.') +
                   QLatin1String(location.procedure) + QLatin1Char(' ') +
                   QStringLiteral("at line ") + QString::number(step);
    if (!supportEmail.isEmpty()) {
        // The location above stays as it is in every language: support reads it.
        text += QStringLiteral("\r\r") +
                QCoreApplication::translate("almanis::Guard",
                                            "Please email screenshot of this message to %1")
                    .arg(supportEmail);
    }
    return text;
}

Guard::Guard(Ui& ui, ErrorLocation location) : ui_(ui), location_(location) {}

bool Guard::step(int number, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const AppError& e) {
        report(number, e.description());
    } catch (const std::exception& e) {
        report(number, QString::fromUtf8(e.what()));
    } catch (...) {
        report(number, QCoreApplication::translate("almanis::Guard", "Unexpected error"));
    }
    return false;
}

bool Guard::test(int number, const std::function<bool()>& body) {
    bool result = true;
    step(number, [&] { result = body(); });
    return result;
}

void Guard::report(int number, const QString& description) {
    ++failures_;
    if (!inRows_) {
        show(number, description);
        return;
    }
    if (!held_) {
        held_.emplace(number, description);
        lastFailedRow_ = row_;
    } else if (row_ != lastFailedRow_) {
        ++otherFailedRows_;
        lastFailedRow_ = row_;
    }
}

void Guard::show(int number, const QString& description) {
    ui_.errorReport(errorReportText(description, location_, number));
}

Guard::Rows::Rows(Guard& guard) : guard_(guard) {
    guard_.inRows_ = true;
    guard_.row_ = 0;
    guard_.lastFailedRow_ = -1;
    guard_.otherFailedRows_ = 0;
    guard_.held_.reset();
}

Guard::Rows::~Rows() {
    guard_.finishRows();
}

void Guard::finishRows() {
    inRows_ = false;
    if (!held_) {
        return;
    }
    QString description = held_->second;
    if (otherFailedRows_ > 0) {
        if (!description.endsWith(QLatin1Char('.'))) {
            description += QLatin1Char('.');
        }
        description +=
            QLatin1Char(' ') +
            (otherFailedRows_ == 1 ? QCoreApplication::translate(
                                         "almanis::Guard", "1 more row could not be read either.")
                                   : QCoreApplication::translate(
                                         "almanis::Guard", "%1 more rows could not be read either.")
                                         .arg(otherFailedRows_));
    }
    const int number = held_->first;
    held_.reset();
    show(number, description);
}

}  // namespace almanis
