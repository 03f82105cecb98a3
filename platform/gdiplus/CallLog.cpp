#include "platform/gdiplus/CallLog.h"

namespace gdiplus {
namespace {

std::vector<std::string>* activeLog = nullptr;
int depth = 0;

}  // namespace

void SetCallLog(std::vector<std::string>* log) {
    activeLog = log;
}

LoggedCall::LoggedCall(const char* name) {
    if (depth++ == 0 && activeLog != nullptr) {
        activeLog->emplace_back(name);
    }
}

LoggedCall::~LoggedCall() {
    --depth;
}

}  // namespace gdiplus
