#include "app/Options.h"

#include "app/ErrorReport.h"
#include "app/Form1.h"

namespace almanis {

Options::Options(Form1& form) : form_(form) {}

void Options::restore(Guard& /*load*/, int /*firstStep*/) {}

void Options::Check1_Click() {}
void Options::Check2_Click() {}
void Options::Check3_Click() {}
void Options::Check4_Click() {}
void Options::Check5_Click() {}
void Options::Check6_Click() {}
void Options::Check8_Click() {}

}  // namespace almanis
