#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <memory>

#include <gtest/gtest.h>

#include "platform/user32/MessageBoxResponder.h"
#include "platform/user32/WinUser.h"
#include "platform/user32/WindowHandles.h"

namespace user32 {
namespace {

// Every top-level window of the process, topmost first.
std::vector<HWND> AllWindows() {
    std::vector<HWND> windows;
    for (HWND w = FindWindowExA(0, 0, nullptr, nullptr); w != 0;
         w = FindWindowExA(0, w, nullptr, nullptr)) {
        windows.push_back(w);
    }
    return windows;
}

TEST(WindowQueriesTest, EnumerateAndDescribeTheProcessWindows) {
    auto first = std::make_unique<QWidget>();
    first->setWindowTitle(QString::fromUtf8("主窗口 main"));
    first->setProperty(kWindowClassProperty, QByteArray("TolvaneMain"));
    first->show();
    auto hidden = std::make_unique<QWidget>();

    const HWND a = HandleOfWidget(first.get());
    const HWND b = HandleOfWidget(hidden.get());
    EXPECT_NE(a, 0u);
    EXPECT_EQ(HandleOfWidget(first.get()), a);
    const std::vector<HWND> windows = AllWindows();
    EXPECT_NE(std::find(windows.begin(), windows.end(), a), windows.end());
    EXPECT_NE(std::find(windows.begin(), windows.end(), b), windows.end());

    EXPECT_TRUE(IsWindowVisible(a));
    EXPECT_FALSE(IsWindowVisible(b));
    DWORD pid = 0;
    EXPECT_NE(GetWindowThreadProcessId(a, &pid), 0u);
    EXPECT_EQ(pid, GetCurrentProcessId());

    // The title in GBK: "主窗口" is D6 F7 B4 B0 BF DA.
    const std::string gbkTitle = "\xD6\xF7\xB4\xB0\xBF\xDA main";
    ASSERT_EQ(GetWindowTextLengthA(a), int(gbkTitle.size()));
    char title[32] = {};
    EXPECT_EQ(GetWindowTextA(a, title, sizeof title), int(gbkTitle.size()));
    EXPECT_EQ(std::string(title), gbkTitle);
    EXPECT_EQ(GetWindowTextA(a, title, 3), 2);  // room for two bytes and the terminator
    EXPECT_EQ(std::string(title), "\xD6\xF7");

    char className[50] = {};
    EXPECT_EQ(GetClassNameA(a, className, sizeof className), 11);
    EXPECT_EQ(std::string(className), "TolvaneMain");
    EXPECT_EQ(GetClassNameA(b, className, sizeof className), 7);
    EXPECT_EQ(std::string(className), "QWidget");
    EXPECT_EQ(FindWindowExA(0, 0, "tolvanemain", nullptr), a);
    EXPECT_EQ(FindWindowExA(0, 0, nullptr, gbkTitle.c_str()), a);

    first.reset();
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(GetWindowTextLengthA(a), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(FindWindowExA(0, a, nullptr, nullptr), 0u);
    EXPECT_FALSE(IsWindow(0));
}

class MessageBoxTest : public testing::Test {
  protected:
    void TearDown() override { SetMessageBoxResponder({}); }
};

// Whether Qt holds a window blocked by a modal box: what the platform calls disabled.
class BlockWatch : public QObject {
  public:
    explicit BlockWatch(QWidget& window) { window.windowHandle()->installEventFilter(this); }
    bool Blocked() const { return blocked_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowUnblocked) {
            blocked_ = event->type() == QEvent::WindowBlocked;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool blocked_ = false;
};

TEST_F(MessageBoxTest, ABoxDisablesItsOwnerOnlyAndReturnsThePressedButton) {
    QWidget owner;
    QWidget other;
    owner.show();
    other.show();
    const BlockWatch ownerWatch(owner), otherWatch(other);
    const HWND ownerHandle = HandleOfWidget(&owner);
    MessageBoxSeen seen;
    bool ownerBlocked = false, otherBlocked = true;
    SetMessageBoxResponder([&](const MessageBoxSeen& box) {
        seen = box;
        ownerBlocked = ownerWatch.Blocked();
        otherBlocked = otherWatch.Blocked();
        return IDOK;
    });
    EXPECT_EQ(MessageBoxA(ownerHandle, "\xC4\xE3\xBA\xC3", "T", MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(seen.owner, ownerHandle);
    EXPECT_EQ(seen.text, "\xC4\xE3\xBA\xC3");
    EXPECT_EQ(seen.title, "T");
    EXPECT_EQ(seen.icon, MB_ICONINFORMATION);
    EXPECT_TRUE(ownerBlocked);
    EXPECT_FALSE(otherBlocked);
    EXPECT_FALSE(ownerWatch.Blocked());  // enabled again once the box is gone
}

TEST_F(MessageBoxTest, ABoxWithoutOwnerDisablesNoWindowYetWaitsForItsAnswer) {
    QWidget window;
    window.show();
    const BlockWatch watch(window);
    bool blocked = true;
    SetMessageBoxResponder([&](const MessageBoxSeen&) {
        blocked = watch.Blocked();
        return IDNO;
    });
    EXPECT_EQ(MessageBoxA(0, "x", "y", MB_YESNO), IDNO);
    EXPECT_FALSE(blocked);
}

TEST_F(MessageBoxTest, ButtonsIconsAndAnswers) {
    struct Case {
        UINT style;
        int press;
        int expected;
        UINT icon;
    };
    const Case cases[] = {
        {MB_OK, IDOK, IDOK, 0},
        {MB_OK, IDCANCEL, IDOK, 0},  // no Cancel button: closing answers OK
        {MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL, IDCANCEL, MB_ICONQUESTION},
        {MB_YESNO | MB_ICONEXCLAMATION, IDNO, IDNO, MB_ICONEXCLAMATION},
        {MB_YESNOCANCEL | MB_ICONHAND, IDYES, IDYES, MB_ICONHAND},
        {MB_ABORTRETRYIGNORE, IDIGNORE, IDIGNORE, 0},
        {MB_RETRYCANCEL, IDRETRY, IDRETRY, 0},
    };
    for (const Case& c : cases) {
        UINT icon = 99;
        SetMessageBoxResponder([&](const MessageBoxSeen& box) {
            icon = box.icon;
            return c.press;
        });
        EXPECT_EQ(MessageBoxA(0, nullptr, nullptr, c.style), c.expected) << c.style;
        EXPECT_EQ(icon, c.icon) << c.style;
    }
}

TEST_F(MessageBoxTest, RefusesAnOwnerThatIsNoWindow) {
    SetMessageBoxResponder([](const MessageBoxSeen&) { return IDOK; });
    EXPECT_EQ(MessageBoxA(0xDEAD, "x", "y", MB_OK), 0);
}

}  // namespace

}  // namespace user32
