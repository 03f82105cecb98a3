#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/FindProcessWindow.h"
#include "app/ShowMessage.h"
#include "platform/user32/MessageBoxResponder.h"
#include "platform/user32/WindowHandles.h"

namespace app {
namespace {

const runtime::Text kNoticeTitle = "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1";  // "友情提醒" in GBK
const std::string kLongClass(60, 'C');

class ShowMessageTest : public testing::Test {
  protected:
    void SetUp() override {
        window_.setWindowTitle("Tolvane");
        window_.setProperty(user32::kWindowClassProperty, QByteArray::fromStdString(kLongClass));
        window_.show();
        handle_ = user32::HandleOfWidget(&window_);
        user32::SetMessageBoxResponder([this](const user32::MessageBoxSeen& box) {
            seen_ = box;
            return IDOK;
        });
    }
    void TearDown() override { user32::SetMessageBoxResponder({}); }

    QWidget window_;
    HWND handle_ = 0;
    user32::MessageBoxSeen seen_;
};

TEST_F(ShowMessageTest, TextAloneIsAnInformationBoxOwnedByTheProgramsWindow) {
    EXPECT_EQ(ShowMessage(runtime::Text("\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC")), 0);  // "保存失败"
    EXPECT_EQ(seen_.text, "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC");
    EXPECT_EQ(seen_.title, kNoticeTitle);
    EXPECT_EQ(seen_.style, 0x40u);
    EXPECT_EQ(seen_.icon, MB_ICONINFORMATION);
    EXPECT_EQ(seen_.owner, handle_);
}

TEST_F(ShowMessageTest, GivenParametersAreUsedAsTheyAre) {
    EXPECT_EQ(ShowMessage(runtime::Text("x"), 0), 0);
    EXPECT_EQ(seen_.style, 0u);  // a given 0 is not the default
    EXPECT_EQ(seen_.icon, 0u);
    EXPECT_EQ(ShowMessage(std::nullopt, std::nullopt, runtime::Text("T"), HWND{0}), 0);
    EXPECT_EQ(seen_.owner, 0u);  // a given owner of 0: unowned, no search
    EXPECT_EQ(seen_.title, "T");
    EXPECT_EQ(seen_.text, "");
    user32::SetMessageBoxResponder([](const user32::MessageBoxSeen&) { return IDNO; });
    EXPECT_EQ(ShowMessage(runtime::Text("?"), MB_YESNO), IDNO - 1);
    EXPECT_EQ(ShowMessage(runtime::Text("?"), std::nullopt, std::nullopt, HWND{0xDEAD}), -1);
}

TEST_F(ShowMessageTest, FindProcessWindowFilters) {
    const DWORD self = GetCurrentProcessId();
    using T = std::optional<runtime::Text>;
    const struct {
        const char* what;
        T title;
        T className;
        HWND expected;
    } cases[] = {
        {"no filter", std::nullopt, std::nullopt, handle_},
        {"a title alone does not filter", T("nomatch"), std::nullopt, handle_},
        {"a class alone does not filter", std::nullopt, T("nomatch"), handle_},
        {"title matches", T("lva"), T("nomatch"), handle_},
        {"class matches", T("nomatch"), T("CCC"), handle_},
        {"an empty filter matches", T(""), T("nomatch"), handle_},
        {"the class is read up to 49 bytes", T("nomatch"), T(kLongClass.substr(0, 49)), handle_},
        {"so 50 bytes never match", T("nomatch"), T(kLongClass.substr(0, 50)), 0},
        {"neither matches", T("nomatch"), T("nomatch"), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindProcessWindow(self, c.title, c.className, 50), c.expected) << c.what;
    }
    EXPECT_EQ(FindProcessWindow(self + 1, std::nullopt, std::nullopt, 50), 0u);
    EXPECT_EQ(FindProcessWindow(self, std::nullopt, std::nullopt, -1), handle_);
}

TEST_F(ShowMessageTest, TimeOuts) {
    const DWORD self = GetCurrentProcessId();
    EXPECT_EQ(FindProcessWindow(self, std::nullopt, std::nullopt, 0), 0u);  // looks at nothing
    window_.hide();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(FindProcessWindow(self, std::nullopt, std::nullopt, 40), 0u);
    EXPECT_GE(clock.elapsed(), 39);
}

}  // namespace
}  // namespace app
