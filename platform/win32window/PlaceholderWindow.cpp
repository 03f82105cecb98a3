// The window layer on Windows until its Win32 implementation lands: no window is built, so the
// message loop returns at once and the program ends; control properties are kept nowhere.

#include "runtime/ExitHooks.h"
#include "runtime/Window.h"

namespace runtime {

int RunProgram(int, char**, int (*entry)()) {
    const int result = entry();
    RunExitHooks();
    return result;
}

void LoadStartupWindow(const WindowForm&, const WindowEvents&) {}
void RunMessageLoop() {}
void ProcessEvents() {}
void RedrawNow() {}
void SetVisible(Control, bool) {}
bool IsVisible(Control) {
    return false;
}
void SetCaption(Control, const Text&) {}
Text GetCaption(Control) {
    return {};
}
void SetPicture(Control, const Bytes&) {}
void SetDisplayMode(Control, DisplayMode) {}

}  // namespace runtime
