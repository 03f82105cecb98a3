#pragma once

// Handles for Qt's top-level widgets, given out on first sight and never reused.

#include <QWidget>

#include "platform/user32/WinUser.h"

namespace user32 {

// Every window class is the widget's class name unless this property names another.
inline constexpr const char* kWindowClassProperty = "windowClass";

HWND HandleOfWidget(QWidget* widget);
// Null once the window is gone, and for 0 or a handle never given out.
QWidget* WidgetOfHandle(HWND handle);

}  // namespace user32
