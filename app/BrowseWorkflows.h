#pragma once

namespace app {

// Previous: steps back one path in the run's history and shows that picture.
void OnPrevious();
// Fit screen and Original size: how the main picture is drawn.
void OnFitScreen();
void OnOriginalSize();

}  // namespace app
