// Test entry for suites that need real widgets: one QApplication for the whole run, on Qt's
// offscreen platform unless the caller picked another (to watch the windows, say).
#include <QApplication>

#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
