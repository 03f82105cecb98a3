#include "app/ShowMessage.h"

#include "app/FindProcessWindow.h"
#include "runtime/PlatformText.h"

namespace app {
namespace {

constexpr int kDefaultStyle = 0x40;

}  // namespace

int ShowMessage(const std::optional<runtime::Text>& text, std::optional<int> style,
                const std::optional<runtime::Text>& title, std::optional<HWND> owner) {
    const HWND ownerWindow = owner ? *owner : FindProcessWindow(GetCurrentProcessId());
    const runtime::Text titleText = title ? *title : runtime::Text("友情提醒");
    const UINT styleBits = static_cast<UINT>(style ? *style : kDefaultStyle);
    return MessageBoxA(ownerWindow, runtime::NullIfEmpty(text.value_or(runtime::Text())),
                       runtime::NullIfEmpty(titleText), styleBits) -
           1;
}

}  // namespace app
