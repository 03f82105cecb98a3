#include "app/Program.h"

#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "app/RunState.h"
#include "runtime/ExitHooks.h"
#include "runtime/Window.h"

namespace app {

int ProgramEntry() {
    runtime::RegisterExitHook(ExitHook);
    runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents());
    runtime::RunMessageLoop();
    return 0;
}

void ExitHook() {
    runtime::Text().swap(Run().currentPath);
    runtime::Text().swap(Run().pathHistory);
}

}  // namespace app
