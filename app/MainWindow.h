#pragma once

#include "runtime/Window.h"

namespace app {

// The main window's events: its created handler and, as the workflows arrive, the rest.
runtime::WindowEvents MainWindowEvents();

}  // namespace app
