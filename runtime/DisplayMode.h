#pragma once

// How a picture box draws its picture over its background colour.

namespace runtime {

enum class DisplayMode {
    kNaturalAtTopLeft = 0,    // natural size at the top-left corner, clipped
    kStretchedToBox = 1,      // stretched to fill the box, proportions not kept
    kNaturalShrunkToFit = 2,  // natural size centred; shrunk with proportions kept if too large
};

}  // namespace runtime
