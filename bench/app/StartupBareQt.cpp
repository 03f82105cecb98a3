// The yardstick: a bare Qt program showing one empty window of the main window's size.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "bench/app/StartupReport.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(578, 652);
    window.move(50, 50);
    window.show();
    QTimer::singleShot(0, [&] {
        ReportStartupTime();
        window.close();
    });
    return QApplication::exec();
}
