#pragma once

#include "runtime/Window.h"

namespace app {

// The main window's events: created, first activated, and a workflow for each button.
runtime::WindowEvents MainWindowEvents();

}  // namespace app
