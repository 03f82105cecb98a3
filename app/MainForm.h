#pragma once

#include "runtime/Window.h"

namespace app {

// The main window's controls, by the names the form gives them, in the form's order.
enum MainControl : runtime::Control {
    图片框2,
    标签4,
    标签3,
    标签2,
    编辑框2,
    按钮7,
    按钮6,
    按钮4,
    按钮3,
    图片框1,
    按钮2,
    按钮1,
    标签1,
    标签6,
};

runtime::WindowForm MainWindowForm();

}  // namespace app
