#include "app/FindProcessWindow.h"

#include <cstdint>

#include "runtime/BytesOps.h"
#include "runtime/PlatformText.h"
#include "runtime/SystemServices.h"
#include "runtime/TextSearch.h"
#include "runtime/Window.h"

namespace app {
namespace {

constexpr int kDefaultTimeoutMs = 31536000;
constexpr int kClassNameBuffer = 50;

DWORD WindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

runtime::Text WindowTitle(HWND window) {
    const int length = GetWindowTextLengthA(window);
    runtime::Text buffer = runtime::BlankText(length + 1);
    GetWindowTextA(window, buffer.data(), length + 1);
    return runtime::TextUpToZero(buffer);
}

runtime::Text WindowClass(HWND window) {
    runtime::Text buffer = runtime::BlankText(kClassNameBuffer);
    GetClassNameA(window, buffer.data(), kClassNameBuffer);
    return runtime::TextUpToZero(buffer);
}

bool Contains(const runtime::Text& text, const std::optional<runtime::Text>& part) {
    return part && runtime::ContainsExact(text, *part);
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const std::optional<runtime::Text>& title,
                       const std::optional<runtime::Text>& className,
                       std::optional<int> timeoutMs) {
    const auto start = static_cast<std::uint32_t>(runtime::UptimeMs());
    const int limit = timeoutMs && *timeoutMs != -1 ? *timeoutMs : kDefaultTimeoutMs;
    HWND window = 0;
    for (;;) {
        // Unsigned, so the elapsed time stays right when the tick count wraps.
        const std::uint32_t elapsed = static_cast<std::uint32_t>(runtime::UptimeMs()) - start;
        if (std::int64_t{elapsed} - limit >= 0) {
            return 0;
        }
        window = FindWindowExA(0, window, nullptr, nullptr);
        if (IsWindow(window) && IsWindowVisible(window) && WindowProcess(window) == processId) {
            const runtime::Text windowTitle = WindowTitle(window);
            const runtime::Text windowClass = WindowClass(window);
            if (Contains(windowTitle, title) || Contains(windowClass, className) || !title ||
                !className) {
                return window;
            }
        }
        runtime::ProcessEvents();
    }
}

}  // namespace app
