#pragma once

namespace runtime {

using ExitHook = void (*)();

// Registering the same hook again changes nothing.
void RegisterExitHook(ExitHook hook);

// Runs every registered hook once, in registration order; later calls run nothing.
void RunExitHooks();

}  // namespace runtime
