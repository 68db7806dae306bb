#include "editing/MainCommands.h"

#include "app/Form1.h"

namespace almanis {

MainCommands::MainCommands(Form1& form) : form_(form) {}

}  // namespace almanis
