#pragma once

#include <QString>

namespace almanis {

// English month names of the event text file.
int MonthNumberFromName(const QString& name);
QString MonthNameFromNumber(int number);

}  // namespace almanis
