#include "app/RunState.h"

namespace app {

RunState& Run() {
    static RunState state;
    return state;
}

}  // namespace app
