#pragma once

#include "runtime/Text.h"

namespace app {

// "http://" + listing host + "/quality.php?home=" + the identifier: where Get asks for a path.
runtime::Text ListingAddress();
// "http://" + listing host + "/images/": a path after it is a picture's address.
runtime::Text PictureStorePrefix();
// "http://" + announcement host + "/GG.jpg".
runtime::Text AnnouncementAddress();

// The text from the first "down" to the first "g" at or after it, or empty when there is none.
runtime::Text CutPath(const runtime::Text& text);

}  // namespace app
