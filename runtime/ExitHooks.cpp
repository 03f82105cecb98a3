#include "runtime/ExitHooks.h"

#include <algorithm>
#include <vector>

namespace runtime {
namespace {

std::vector<ExitHook>& Hooks() {
    static std::vector<ExitHook> hooks;
    return hooks;
}

}  // namespace

void RegisterExitHook(ExitHook hook) {
    auto& hooks = Hooks();
    if (hook != nullptr && std::find(hooks.begin(), hooks.end(), hook) == hooks.end()) {
        hooks.push_back(hook);
    }
}

void RunExitHooks() {
    // Taken out first so that a hook which registers another cannot make the list run twice.
    const std::vector<ExitHook> hooks = std::move(Hooks());
    Hooks().clear();
    for (ExitHook hook : hooks) {
        hook();
    }
}

}  // namespace runtime
