// Feeds arbitrary bytes to the vCard reader and checks what it promises:
// - any bytes are read to the end, or refused with an AppError that says why;
// - every event falls on a date the program accepts, is described on one line
//   as a contact's birthday or anniversary, and is not stored yet;
// - every card with dates gives an event or a report for each of them.
#include "core/AppError.h"
#include "core/EventDate.h"
#include "exchange/VCardFile.h"

#include <cstdint>
#include <cstdlib>

using namespace almanis;

// Undefined behaviour stops the run like any other finding.
extern "C" const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isOneLine(const QString& text) {
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const VCardImport result = parseVCards(bytes);
        check(result.cardsWithoutDates >= 0 && result.cardsWithoutDates <= result.cards);
        check(result.events.size() + result.skippedDates.size() >=
              result.cards - result.cardsWithoutDates);
        for (const EventRecord& event : result.events) {
            check(event.id == 0);
            check(isValidEventDate(event.month, event.day));
            check(event.description.endsWith(QStringLiteral("'s birthday")) ||
                  event.description.endsWith(QStringLiteral("'s anniversary")));
            check(event.description == event.description.trimmed());
            check(isOneLine(event.description));
        }
        for (const QString& report : result.skippedDates) {
            check(!report.isEmpty() && isOneLine(report));
        }
    } catch (const AppError& e) {
        check(!e.description().isEmpty());
    }
    return 0;
}
