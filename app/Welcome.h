#pragma once

namespace app {

// The first activation of the main window: the greeting, then the announcement picture.
void OnFirstActivated();

}  // namespace app
