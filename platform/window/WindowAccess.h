#pragma once

// The Qt widgets behind the start-up window, for the other stand-ins and for tests.

#include <QWidget>

#include "runtime/Window.h"

namespace window {

QWidget* StartupWindowWidget();
QWidget* ControlWidget(runtime::Control control);

}  // namespace window
