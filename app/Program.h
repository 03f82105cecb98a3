#pragma once

namespace app {

// Start-up: registers the exit hook, loads the main window, runs the message loop. Returns 0.
int ProgramEntry();

// Releases the Run state at program end.
void ExitHook();

}  // namespace app
