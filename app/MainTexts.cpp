#include "app/MainTexts.h"

#include "runtime/TextNumbers.h"

namespace app {

runtime::Text NoticeText() {
    return "    欢迎使用Tolvane，本软件所有群均为真实高质量生活群，每日更新数量有限，请珍惜。";
}

runtime::Text CountText(int collectedCount) {
    return "您已成功采集微信群" + runtime::NumberToText(collectedCount) + "个。";
}

}  // namespace app
