#pragma once

#include <optional>

#include "db/OdbcDatabase.h"
#include "runtime/Text.h"

namespace app {

// The one program-wide record that the workflows share; it lives until the process ends.
struct RunState {
    runtime::Text currentPath;  // the path of the picture on show, or empty
    int collectedCount = 0;     // Get presses in this run, batches included
    int fallbackRow = 0;        // 0, or the row from the last that the last fallback read
    // The one database object: constructed at start-up, destroyed by the exit hook.
    std::optional<db::OdbcDatabase> database;
    runtime::Text pathHistory;  // every path of this run, newest first, no separator
};

RunState& Run();

}  // namespace app
