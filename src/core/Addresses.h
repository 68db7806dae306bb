#pragma once

#include "AlmanisAddresses.h"

namespace almanis {

// The addresses the program names, as the build chose them (see the
// ALMANIS_* cache variables). An empty one is not named at all.
inline constexpr char kHomePage[] = ALMANIS_HOME_PAGE;
inline constexpr char kContactPage[] = ALMANIS_CONTACT_PAGE;
inline constexpr char kSupportEmail[] = ALMANIS_SUPPORT_EMAIL;

}  // namespace almanis
