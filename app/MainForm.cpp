#include "app/MainForm.h"

#include "app/BuiltinPictures.h"
#include "app/CompiledValues.h"

namespace app {
namespace {

using runtime::ControlForm;
using runtime::ControlKind;
using runtime::FontForm;

constexpr int kBold = 700;
constexpr int kRegular = 400;

FontForm Gb2312Font(int pixelSize, int weight, runtime::Text face = {}) {
    return {pixelSize, weight, std::move(face), true};
}

ControlForm Control(const char* name, ControlKind kind, runtime::Rect rect, runtime::Text text) {
    ControlForm form;
    form.name = name;
    form.kind = kind;
    form.rect = rect;
    form.text = std::move(text);
    return form;
}

}  // namespace

runtime::WindowForm MainWindowForm() {
    const runtime::Text contact = compiled::kContactId;
    runtime::WindowForm form;
    form.title = "Tolvane2.3版 微信:" + contact;
    form.outer = {50, 50, 578, 652};

    ControlForm promotion = Control("图片框2", ControlKind::PictureBox, {424, 8, 136, 104}, {});
    promotion.displayMode = runtime::DisplayMode::kStretchedToBox;
    promotion.picture = PromotionPicture();
    promotion.visible = false;

    ControlForm count = Control("标签4", ControlKind::Label, {8, 88, 416, 24}, "\r\n");
    count.font = Gb2312Font(21, kBold);

    ControlForm notice = Control("标签3", ControlKind::Label, {8, 16, 416, 56}, "\r\n");
    notice.font = Gb2312Font(16, kBold);

    ControlForm mainPicture = Control("图片框1", ControlKind::PictureBox, {8, 112, 416, 472}, {});
    mainPicture.background = runtime::Rgb{192, 192, 192};
    mainPicture.displayMode = runtime::DisplayMode::kNaturalShrunkToFit;
    mainPicture.picture = StartPicture();

    ControlForm get = Control("按钮2", ControlKind::Button, {432, 216, 128, 80}, "获  取");
    get.font = Gb2312Font(29, kBold);

    ControlForm title = Control("标签6", ControlKind::Label, {424, 8, 136, 104}, "Tol\r\nva\r\nne");
    title.font = Gb2312Font(29, kRegular, "华文行楷");

    form.controls = {
        promotion,
        count,
        notice,
        Control("标签2", ControlKind::Label, {432, 456, 128, 24}, "每次数量不可超过20张"),
        Control("编辑框2", ControlKind::EditBox, {432, 408, 56, 40}, "输入数量"),
        Control("按钮7", ControlKind::Button, {496, 408, 64, 40}, "批量保存"),
        Control("按钮6", ControlKind::Button, {432, 360, 128, 40}, "保  存（运行目录下）"),
        Control("按钮4", ControlKind::Button, {432, 312, 128, 40}, "上一张"),
        Control("按钮3", ControlKind::Button, {432, 120, 128, 32}, "适合屏幕"),
        mainPicture,
        get,
        Control("按钮1", ControlKind::Button, {432, 168, 128, 32}, "原始大小"),
        Control("标签1", ControlKind::Label, {16, 592, 408, 32},
                "声明：本软件资源收集于网络，如有侵权或软件不可用，请联系微信：" + contact +
                    "告知。\r\n"),
        title,
    };
    return form;
}

}  // namespace app
