#include "app/Addresses.h"

#include "app/CompiledHosts.h"
#include "app/CompiledValues.h"
#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/TextSpaces.h"

namespace app {

runtime::Text ListingAddress() {
    return runtime::Text("http://") + compiled::kListingHost +
           "/quality.php?home=" + compiled::kListingId;
}

runtime::Text PictureStorePrefix() {
    return runtime::Text("http://") + compiled::kListingHost + "/images/";
}

runtime::Text AnnouncementAddress() {
    return runtime::Text("http://") + compiled::kAnnouncementHost + "/GG.jpg";
}

// With "down" missing, start is -1 and the cut is empty; with no "g" after it, the length is not
// positive and the cut is empty too.
runtime::Text CutPath(const runtime::Text& text) {
    const int start = runtime::FindExact(text, "down");
    const int end = runtime::FindExact(text, "g", start);
    return runtime::TrimText(runtime::TextMid(text, start, end - start + 1));
}

}  // namespace app
