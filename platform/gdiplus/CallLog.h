#pragma once

// A test seam: while a log is set, every call a caller makes into the stand-in appends its
// name, so a test can check the order of the calls. Calls the stand-in makes to itself are
// not recorded. No log is set in the program.

#include <string>
#include <vector>

namespace gdiplus {

void SetCallLog(std::vector<std::string>* log);

// Placed at the top of every entry point.
class LoggedCall {
  public:
    explicit LoggedCall(const char* name);
    LoggedCall(const LoggedCall&) = delete;
    LoggedCall& operator=(const LoggedCall&) = delete;
    ~LoggedCall();
};

}  // namespace gdiplus
