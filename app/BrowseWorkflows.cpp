#include "app/BrowseWorkflows.h"

#include "app/Addresses.h"
#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/RunState.h"
#include "app/ShowMessage.h"
#include "runtime/TextCut.h"
#include "runtime/TextSearch.h"
#include "runtime/Window.h"
#include "web/HttpVisit.h"

namespace app {
namespace {

constexpr int kHistoryThreshold = 25;  // two paths
constexpr int kPathStride = 23;
constexpr int kPromotionAfter = 5;

}  // namespace

void OnPrevious() {
    runtime::SetCaption(标签3, NoticeText());
    if (Run().collectedCount > kPromotionAfter) {
        runtime::SetVisible(图片框2, true);
    }
    if (runtime::TextLength(Run().pathHistory) < kHistoryThreshold) {
        ShowMessage(runtime::Text("无上一张"));
        return;
    }
    const int at = runtime::FindExact(Run().pathHistory, Run().currentPath);
    Run().currentPath = runtime::TextMid(Run().pathHistory, at + kPathStride, kPathStride);
    runtime::SetPicture(图片框1,
                        web::HttpVisit(PictureStorePrefix() + Run().currentPath, web::kGet));
}

void OnFitScreen() {
    runtime::SetDisplayMode(图片框1, runtime::DisplayMode::kStretchedToBox);
}

void OnOriginalSize() {
    runtime::SetDisplayMode(图片框1, runtime::DisplayMode::kNaturalShrunkToFit);
}

}  // namespace app
