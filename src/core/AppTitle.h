#pragma once

#include <QString>

namespace almanis {

inline constexpr char kProductName[] = "Almanis";
inline constexpr int kTitleLimit = 40;

// The application title made from a product name: the name is cut at its last
// blank (at least once, then while it is longer than the limit). A name
// without a blank is the title itself.
QString titleFromProductName(const QString& productName);

// Makes the title of the product name the application title.
void setAppTitle();

// The caption of every message box that names no caption of its own.
const QString& appTitle();

}  // namespace almanis
