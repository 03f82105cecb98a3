#include "app/ShowMessage.h"

#include "app/FindProcessWindow.h"

namespace app {
namespace {

constexpr int kDefaultStyle = 0x40;

// An empty text reaches the platform as a null pointer.
LPCSTR AsArgument(const runtime::Text& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

int ShowMessage(const std::optional<runtime::Text>& text, std::optional<int> style,
                const std::optional<runtime::Text>& title, std::optional<HWND> owner) {
    const HWND ownerWindow = owner ? *owner : FindProcessWindow(GetCurrentProcessId());
    const runtime::Text titleText = title ? *title : runtime::Text("友情提醒");
    const UINT styleBits = static_cast<UINT>(style ? *style : kDefaultStyle);
    return MessageBoxA(ownerWindow, AsArgument(text.value_or(runtime::Text())),
                       AsArgument(titleText), styleBits) -
           1;
}

}  // namespace app
