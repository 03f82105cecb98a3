#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/window/WindowAccess.h"
#include "runtime/ExitHooks.h"
#include "runtime/Window.h"

using window::ControlWidget;
using window::StartupWindowWidget;

namespace runtime {
namespace {

// "中文" in GBK.
const Text kChinese = "\xD6\xD0\xCE\xC4";

enum : Control { kLabel, kButton, kEdit, kPicture, kHidden };

ControlForm Control(const char* name, ControlKind kind, Rect rect, Text text) {
    ControlForm form;
    form.name = name;
    form.kind = kind;
    form.rect = rect;
    form.text = std::move(text);
    return form;
}

WindowForm SmallForm() {
    WindowForm form;
    form.title = "T " + kChinese;
    form.outer = {50, 50, 300, 200};
    ControlForm label = Control("label", ControlKind::Label, {8, 8, 100, 40}, kChinese + "\r\nx");
    ControlForm button = Control("button", ControlKind::Button, {120, 8, 80, 30}, "Go");
    ControlForm edit = Control("edit", ControlKind::EditBox, {8, 60, 60, 24}, kChinese);
    ControlForm picture = Control("picture", ControlKind::PictureBox, {8, 90, 50, 50}, {});
    picture.background = Rgb{1, 2, 3};
    ControlForm hidden = Control("hidden", ControlKind::Label, {200, 60, 50, 20}, "h");
    hidden.visible = false;
    form.controls = {label, button, edit, picture, hidden};
    return form;
}

class StartupWindowTest : public testing::Test {
  protected:
    void TearDown() override {
        if (QWidget* window = StartupWindowWidget()) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(StartupWindowTest, BuildsTheControlsOfTheForm) {
    int created = 0;
    WindowEvents events;
    events.created = [&] {
        ++created;
        // The controls exist when the created event runs.
        EXPECT_EQ(GetCaption(kButton), "Go");
    };
    LoadStartupWindow(SmallForm(), events);
    EXPECT_EQ(created, 1);

    QWidget* window = StartupWindowWidget();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("T 中文"));
    EXPECT_EQ(window->frameGeometry(), QRect(50, 50, 300, 200));
    EXPECT_EQ(ControlWidget(kEdit)->geometry(), QRect(8, 60, 60, 24));
    EXPECT_EQ(ControlWidget(kLabel)->objectName(), "label");
    EXPECT_EQ(qobject_cast<QLabel*>(ControlWidget(kLabel))->text(), QString::fromUtf8("中文\nx"));
    EXPECT_FALSE(IsVisible(kHidden));
    EXPECT_TRUE(IsVisible(kLabel));
    EXPECT_EQ(ControlWidget(99), nullptr);
}

TEST_F(StartupWindowTest, PropertiesReadBackWhatWasWritten) {
    LoadStartupWindow(SmallForm(), {});
    EXPECT_EQ(GetCaption(kLabel), kChinese + "\r\nx");
    SetCaption(kLabel, "\r\n");
    EXPECT_EQ(GetCaption(kLabel), "\r\n");
    SetCaption(kButton, kChinese);
    EXPECT_EQ(qobject_cast<QPushButton*>(ControlWidget(kButton))->text(),
              QString::fromUtf8("中文"));

    // An edit box gives what it holds now, as the user typed it.
    EXPECT_EQ(GetCaption(kEdit), kChinese);
    qobject_cast<QLineEdit*>(ControlWidget(kEdit))->setText(QString::fromUtf8("２0"));
    EXPECT_EQ(GetCaption(kEdit),
              "\xA3\xB2"
              "0");

    SetVisible(kHidden, true);
    EXPECT_TRUE(IsVisible(kHidden));
    SetVisible(kLabel, false);
    EXPECT_FALSE(IsVisible(kLabel));
    EXPECT_EQ(ControlWidget(kPicture)->grab().toImage().pixel(25, 25), qRgb(1, 2, 3));
}

TEST_F(StartupWindowTest, ClicksAndFirstActivation) {
    int clicks = 0;
    int activations = 0;
    WindowEvents events;
    events.clicks = {{kButton, [&] { ++clicks; }}};
    events.firstActivated = [&] { ++activations; };
    LoadStartupWindow(SmallForm(), events);
    qobject_cast<QPushButton*>(ControlWidget(kButton))->click();
    EXPECT_EQ(clicks, 1);

    QWidget* window = StartupWindowWidget();
    for (int i = 0; i < 3; ++i) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(window, &activate);
        ProcessEvents();
    }
    EXPECT_EQ(activations, 1);
}

TEST_F(StartupWindowTest, ProcessEventsDispatchesWhatIsPending) {
    LoadStartupWindow(SmallForm(), {});
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    ProcessEvents();
    EXPECT_TRUE(ran);
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(StartupWindowTest, RedrawNowPaintsWithoutHandlingInput) {
    int clicks = 0;
    WindowEvents events;
    events.clicks = {{kButton, [&] { ++clicks; }}};
    LoadStartupWindow(SmallForm(), events);
    ProcessEvents();
    PaintCounter counter;
    ControlWidget(kLabel)->installEventFilter(&counter);
    SetCaption(kLabel, "new");
    QCoreApplication::postEvent(ControlWidget(kButton),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, {}));
    QCoreApplication::postEvent(ControlWidget(kButton),
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, {}));
    RedrawNow();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(clicks, 0);
    ProcessEvents();  // the input is still there for the message loop
    EXPECT_EQ(clicks, 1);
}

TEST_F(StartupWindowTest, MessageLoopReturnsAtOnceWithNoWindow) {
    RunMessageLoop();  // would hang if it waited for a window
    SUCCEED();
}

int exitHookRuns = 0;
bool windowGoneAtExit = false;

void CountingExitHook() {
    ++exitHookRuns;
    windowGoneAtExit = StartupWindowWidget() == nullptr;
}

int EntryThatClosesItsWindow() {
    RegisterExitHook(CountingExitHook);
    LoadStartupWindow(SmallForm(), {});
    QTimer::singleShot(0, [] { StartupWindowWidget()->close(); });
    RunMessageLoop();
    return 7;
}

TEST_F(StartupWindowTest, ProgramEndsWhenTheWindowClosesThenRunsExitHooks) {
    EXPECT_EQ(RunProgram(0, nullptr, EntryThatClosesItsWindow), 7);
    EXPECT_EQ(exitHookRuns, 1);
    EXPECT_TRUE(windowGoneAtExit);
}

}  // namespace
}  // namespace runtime
