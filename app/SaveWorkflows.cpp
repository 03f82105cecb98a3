#include "app/SaveWorkflows.h"

#include "app/Addresses.h"
#include "app/GetWorkflow.h"
#include "app/MainForm.h"
#include "app/RunState.h"
#include "app/SaveFileName.h"
#include "app/ShowMessage.h"
#include "image/ConvertImage.h"
#include "image/ReplaceFile.h"
#include "runtime/SystemServices.h"
#include "runtime/TextCut.h"
#include "runtime/TextNumbers.h"
#include "runtime/Window.h"
#include "web/HttpVisit.h"

namespace app {
namespace {

constexpr int kNameStart = 6;
constexpr int kNameLength = 18;
constexpr int kJpeg = 2;
constexpr int kBatchLimit = 20;

int BatchCount() {
    return runtime::TextToInt(runtime::GetCaption(编辑框2));
}

}  // namespace

void OnSave() {
    const runtime::Text name =
        SaveFileName(runtime::TextMid(Run().currentPath, kNameStart, kNameLength));
    const runtime::Bytes picture =
        web::HttpVisit(PictureStorePrefix() + Run().currentPath, web::kGet);
    const runtime::Text file = runtime::RunDirectory() + runtime::kPathSeparator + name;
    // The file write counts too: a picture that was encoded but not stored is not saved.
    runtime::Bytes encoded;
    const bool saved = image::ConvertImage(picture, kJpeg, {}, &encoded) &&
                       image::ReplaceFileWith(image::ConvertedFileName(file, kJpeg), encoded);
    if (!saved) {
        ShowMessage(runtime::Text("保存失败"));
    }
}

void OnBatchSave() {
    if (BatchCount() > 0 && BatchCount() < kBatchLimit + 1) {
        const int count = BatchCount();
        for (int i = 0; i < count; ++i) {
            runtime::SetVisible(按钮2, false);
            runtime::RedrawNow();
            OnGet();
            OnSave();
        }
        ShowMessage(runtime::Text("批量获取完毕"));
    } else {
        ShowMessage(runtime::Text("数量填写不正确"));
    }
    runtime::SetVisible(按钮2, true);
}

}  // namespace app
