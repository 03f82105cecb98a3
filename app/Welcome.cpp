#include "app/Welcome.h"

#include "app/Addresses.h"
#include "app/CompiledValues.h"
#include "app/MainForm.h"
#include "app/ShowMessage.h"
#include "runtime/Window.h"
#include "web/HttpVisit.h"

namespace app {

void OnFirstActivated() {
    ShowMessage(runtime::Text("欢迎使用Tolvane，绿色免费使用！如需定制请联系微信：") +
                compiled::kContactId);
    runtime::SetPicture(图片框1, web::HttpVisit(AnnouncementAddress(), web::kGet));
}

}  // namespace app
