// The program's own start-up; the timer fires on the message loop's first turn, once the main
// window has been shown.
#include <QTimer>

#include "app/Program.h"
#include "bench/app/StartupReport.h"
#include "platform/window/WindowAccess.h"
#include "runtime/Window.h"

using window::StartupWindowWidget;

int main(int argc, char** argv) {
    return runtime::RunProgram(argc, argv, [] {
        QTimer::singleShot(0, [] {
            ReportStartupTime();
            StartupWindowWidget()->close();
        });
        return app::ProgramEntry();
    });
}
