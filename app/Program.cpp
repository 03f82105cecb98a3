#include "app/Program.h"

#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "app/RunState.h"
#include "runtime/ExitHooks.h"
#include "runtime/Window.h"

namespace app {

int ProgramEntry() {
    // An environment that could not be allocated is tolerated: every connect then fails.
    Run().database.emplace();
    runtime::RegisterExitHook(ExitHook);
    runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents());
    runtime::RunMessageLoop();
    return 0;
}

void ExitHook() {
    runtime::Text().swap(Run().currentPath);
    Run().database.reset();
    runtime::Text().swap(Run().pathHistory);
}

}  // namespace app
