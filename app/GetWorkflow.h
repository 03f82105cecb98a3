#pragma once

namespace app {

// Get: asks the listing for the next picture, counts the press, shows the picture and records
// its address; when the listing gives no usable path, shows a stored address instead.
void OnGet();

}  // namespace app
