#include "app/MainWindow.h"

#include "app/BrowseWorkflows.h"
#include "app/GetWorkflow.h"
#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/RunState.h"
#include "app/SaveWorkflows.h"
#include "app/Welcome.h"

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
    events.firstActivated = OnFirstActivated;
    events.clicks = {
        {按钮2, OnGet},       {按钮4, OnPrevious},  {按钮6, OnSave},
        {按钮7, OnBatchSave}, {按钮3, OnFitScreen}, {按钮1, OnOriginalSize},
    };
    return events;
}

}  // namespace app
