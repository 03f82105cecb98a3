#include "runtime/ExitHooks.h"

#include <gtest/gtest.h>

#include <string>

namespace runtime {
namespace {

std::string calls;

void HookA() {
    calls += "a";
}
void HookB() {
    calls += "b";
}

TEST(ExitHooksTest, RunOnceInRegistrationOrder) {
    calls.clear();
    RegisterExitHook(HookB);
    RegisterExitHook(HookA);
    RegisterExitHook(HookB);
    RunExitHooks();
    EXPECT_EQ(calls, "ba");
    RunExitHooks();
    EXPECT_EQ(calls, "ba");
}

}  // namespace
}  // namespace runtime
