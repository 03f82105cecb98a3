#pragma once

// The window layer the program runs on: one start-up window built from a form, its controls'
// properties, the message loop. Controls are addressed by their index in the form.
// Implemented on Qt Widgets in platform/window (StartupWindow.cpp).

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "runtime/DisplayMode.h"
#include "runtime/Text.h"

namespace runtime {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

enum class ControlKind { Label, Button, EditBox, PictureBox };

struct FontForm {
    int pixelSize = 0;
    int weight = 400;
    Text face;  // empty: the default face
    bool gb2312CharSet = false;
};

struct ControlForm {
    Text name;
    ControlKind kind = ControlKind::Label;
    Rect rect;
    Text text;  // caption or edit text; "\r\n" breaks the line
    std::optional<FontForm> font;
    std::optional<Rgb> background;  // picture boxes; none: the system's button-face colour
    DisplayMode displayMode = DisplayMode::kNaturalAtTopLeft;  // picture boxes
    std::span<const std::uint8_t> picture;
    bool visible = true;
};

struct WindowForm {
    Text title;
    Rect outer;                         // place and size of the whole window, frame included
    std::vector<ControlForm> controls;  // topmost first, where controls overlap
};

using Control = int;
using Handler = std::function<void()>;

struct WindowEvents {
    Handler created;         // once the window and its controls exist
    Handler firstActivated;  // the first time the window becomes active
    std::vector<std::pair<Control, Handler>> clicks;
};

// Initialises the window layer, runs `entry`, then ends the program: the windows are destroyed
// and the exit hooks run. Returns the entry's result.
int RunProgram(int argc, char** argv, int (*entry)());

// Builds and shows the start-up window, replacing one shown before; the created event runs
// before this returns.
void LoadStartupWindow(const WindowForm& form, const WindowEvents& events);

// Dispatches messages until the program's last window is destroyed; returns at once when none
// is open.
void RunMessageLoop();

// Dispatches every pending message, then returns; a pending quit stays for the message loop.
void ProcessEvents();

// Paints what changed in the start-up window at once, handling no input: a long handler shows
// its progress without letting other handlers run.
void RedrawNow();

void SetVisible(Control control, bool visible);
bool IsVisible(Control control);
void SetCaption(Control control, const Text& text);
Text GetCaption(Control control);
// The box keeps its own copy of the bytes.
void SetPicture(Control control, const Bytes& picture);
// The box is redrawn at once.
void SetDisplayMode(Control control, DisplayMode mode);

}  // namespace runtime
