#include "platform/user32/WindowHandles.h"

#include <unistd.h>
#include <QApplication>
#include <QPointer>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "platform/window/GbkText.h"

namespace user32 {
namespace {

struct Registry {
    std::map<HWND, QPointer<QWidget>> widgets;
    std::map<const QWidget*, HWND> handles;
    HWND next = 0x10010;
};

Registry& Windows() {
    static Registry registry;
    return registry;
}

// Top-level windows, topmost first: the active window, then the newest before the older.
std::vector<QWidget*> TopLevelsInZOrder() {
    QWidgetList all = QApplication::topLevelWidgets();
    std::reverse(all.begin(), all.end());
    std::vector<QWidget*> ordered(all.begin(), all.end());
    if (QWidget* active = QApplication::activeWindow()) {
        const auto it = std::find(ordered.begin(), ordered.end(), active);
        if (it != ordered.end()) {
            std::rotate(ordered.begin(), it, it + 1);
        }
    }
    return ordered;
}

runtime::Text ClassOf(const QWidget* widget) {
    const QVariant name = widget->property(kWindowClassProperty);
    return name.isValid() ? name.toByteArray().toStdString() : widget->metaObject()->className();
}

bool SameClass(const runtime::Text& a, LPCSTR b) {
    return a.size() == std::strlen(b) && strncasecmp(a.c_str(), b, a.size()) == 0;
}

// Copies at most max - 1 bytes and a terminator, as the platform does.
int CopyOut(const runtime::Text& text, LPSTR out, int max) {
    if (out == nullptr || max <= 0) {
        return 0;
    }
    const auto count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(max - 1));
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<int>(count);
}

QWidget* ValidWindow(HWND handle) {
    QWidget* widget = WidgetOfHandle(handle);
    if (widget == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    }
    return widget;
}

}  // namespace

HWND HandleOfWidget(QWidget* widget) {
    auto& registry = Windows();
    const auto found = registry.handles.find(widget);
    if (found != registry.handles.end()) {
        return found->second;
    }
    const HWND handle = registry.next;
    registry.next += 4;
    registry.widgets[handle] = widget;
    registry.handles[widget] = handle;
    // A destroyed window's handle is never valid again, and its address may be reused.
    QObject::connect(widget, &QObject::destroyed, [handle, widget] {
        Windows().widgets.erase(handle);
        Windows().handles.erase(widget);
    });
    return handle;
}

QWidget* WidgetOfHandle(HWND handle) {
    const auto& widgets = Windows().widgets;
    const auto found = widgets.find(handle);
    return found == widgets.end() ? nullptr : found->second.data();
}

}  // namespace user32

using user32::HandleOfWidget;
using user32::WidgetOfHandle;
using window::GbkFromQString;

HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow) {
    if (hWndParent != 0) {
        return 0;  // child windows are not enumerated here
    }
    const std::vector<QWidget*> windows = user32::TopLevelsInZOrder();
    auto it = windows.begin();
    if (hWndChildAfter != 0) {
        it = std::find(windows.begin(), windows.end(), WidgetOfHandle(hWndChildAfter));
        if (it == windows.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        ++it;
    }
    for (; it != windows.end(); ++it) {
        if (lpszClass != nullptr && !user32::SameClass(user32::ClassOf(*it), lpszClass)) {
            continue;
        }
        if (lpszWindow != nullptr && GbkFromQString((*it)->windowTitle()) != lpszWindow) {
            continue;
        }
        return HandleOfWidget(*it);
    }
    return 0;
}

BOOL IsWindow(HWND hWnd) {
    return WidgetOfHandle(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    const QWidget* widget = WidgetOfHandle(hWnd);
    return widget != nullptr && widget->isVisible() ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId) {
    if (user32::ValidWindow(hWnd) == nullptr) {
        return 0;
    }
    if (lpdwProcessId != nullptr) {
        *lpdwProcessId = GetCurrentProcessId();
    }
    return static_cast<DWORD>(gettid());
}

int GetWindowTextLengthA(HWND hWnd) {
    const QWidget* widget = user32::ValidWindow(hWnd);
    return widget ? static_cast<int>(GbkFromQString(widget->windowTitle()).size()) : 0;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    const QWidget* widget = user32::ValidWindow(hWnd);
    return widget ? user32::CopyOut(GbkFromQString(widget->windowTitle()), lpString, nMaxCount) : 0;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    const QWidget* widget = user32::ValidWindow(hWnd);
    return widget ? user32::CopyOut(user32::ClassOf(widget), lpClassName, nMaxCount) : 0;
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}
