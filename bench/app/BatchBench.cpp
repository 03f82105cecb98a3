// The program's collecting workflows against the demo services on loopback, in one process:
//   app_batch_bench batch    milliseconds for one Batch save of 20 (Get and Save 20 times)
//   app_batch_bench memory   resident KiB after 1,000 Gets minus after 10
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Addresses.h"
#include "app/CompiledHosts.h"
#include "app/CompiledValues.h"
#include "app/GetWorkflow.h"
#include "app/MainForm.h"
#include "app/MainWindow.h"
#include "app/RunState.h"
#include "demo/AddressTable.h"
#include "demo/DemoServices.h"
#include "platform/user32/MessageBoxResponder.h"
#include "platform/window/WindowAccess.h"
#include "runtime/SystemServices.h"
#include "tests/support/odbc/GetDate.h"
#include "tests/support/odbc/OdbcConfiguration.h"

using user32::MessageBoxSeen;
using user32::SetMessageBoxResponder;
using window::ControlWidget;
using window::StartupWindowWidget;

namespace fs = std::filesystem;

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

void WaitForGreeting(const demo::DemoServices& services) {
    QElapsedTimer clock;
    clock.start();
    while (services.AnnouncementRequests() == 0 && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "batch";
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::Sqlite);
    odbc_test::AddGetDateToSqlite();
    const fs::path work =
        fs::temp_directory_path() / ("tolvane-batch-bench-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::current_path(work);
    demo::PrepareAddressTable(std::string(app::compiled::kDatabaseLogin) + "_db",
                              app::PictureStorePrefix(), 120);
    demo::DemoServices services;
    if (!services.Start(demo::ParseEndpoint(app::compiled::kListingHost),
                        demo::ParseEndpoint(app::compiled::kAnnouncementHost))) {
        std::fprintf(stderr, "the demo addresses are taken\n");
        return 1;
    }
    SetMessageBoxResponder([](const MessageBoxSeen&) { return IDOK; });
    app::Run().database.emplace();
    runtime::LoadStartupWindow(app::MainWindowForm(), app::MainWindowEvents());
    WaitForGreeting(services);

    if (mode == "memory") {
        for (int i = 0; i < 10; ++i) {
            app::OnGet();
        }
        const long after10 = ResidentKiB();
        for (int i = 10; i < 1000; ++i) {
            app::OnGet();
        }
        std::printf("%ld\n", ResidentKiB() - after10);
    } else {
        qobject_cast<QLineEdit*>(ControlWidget(app::编辑框2))->setText("20");
        QElapsedTimer clock;
        clock.start();
        qobject_cast<QPushButton*>(ControlWidget(app::按钮7))->click();
        std::printf("%.1f\n", double(clock.nsecsElapsed()) / 1e6);
        for (unsigned n = 1; n <= 20; ++n) {
            fs::remove(fs::path(runtime::RunDirectory()) / demo::PathFor(n).substr(5));
        }
    }
    StartupWindowWidget()->close();
    app::Run().database.reset();
    services.Stop();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(work);
    return 0;
}
