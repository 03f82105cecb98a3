#include "app/MainWindow.h"

#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/RunState.h"

namespace app {
namespace {

void OnCreated() {
    Run().collectedCount = 0;
    runtime::SetCaption(标签3, NoticeText());
    runtime::SetCaption(标签4, CountText(Run().collectedCount));
    Run().fallbackRow = 0;
}

}  // namespace

runtime::WindowEvents MainWindowEvents() {
    runtime::WindowEvents events;
    events.created = OnCreated;
    return events;
}

}  // namespace app
