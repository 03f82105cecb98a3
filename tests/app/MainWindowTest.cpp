#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/BuiltinPictures.h"
#include "app/CompiledValues.h"
#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/RunState.h"
#include "platform/codecs/PictureDecoder.h"
#include "platform/codepage/CodePage.h"
#include "platform/window/WindowAccess.h"
#include "runtime/ExitHooks.h"

using window::ControlWidget;
using window::StartupWindowWidget;

namespace app {
namespace {

using runtime::Text;

// The program's texts are GBK; the expectations here are written in UTF-8 and converted.
Text Gbk(const std::string& utf8) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::u16string wide(std::size_t(units), u'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), units);
    const int bytes =
        WideCharToMultiByte(CP_GBK, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    Text gbk(std::size_t(bytes), '\0');
    WideCharToMultiByte(CP_GBK, 0, wide.data(), units, gbk.data(), bytes, nullptr, nullptr);
    return gbk;
}

struct ControlCase {
    MainControl control;
    const char* objectName;  // UTF-8, as Qt holds it
    QRect rect;
    Text caption;
};

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override { runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents()); }
    void TearDown() override {
        StartupWindowWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(MainWindowTest, ShowsTheRunStateTextsAfterCreation) {
    EXPECT_EQ(runtime::GetCaption(标签4), Gbk("您已成功采集微信群0个。"));
    EXPECT_EQ(
        runtime::GetCaption(标签3),
        Gbk("    欢迎使用Tolvane，本软件所有群均为真实高质量生活群，每日更新数量有限，请珍惜。"));
    // The texts are GBK bytes: "您已" is C4 FA D2 D1, not its UTF-8 form.
    EXPECT_EQ(runtime::GetCaption(标签4).substr(0, 4), "\xC4\xFA\xD2\xD1");
    EXPECT_EQ(app::Run().collectedCount, 0);
    EXPECT_EQ(app::Run().fallbackRow, 0);
}

TEST_F(MainWindowTest, EveryControlHasItsPlaceAndText) {
    const Text contact = compiled::kContactId;
    const ControlCase cases[] = {
        {图片框2, "图片框2", {424, 8, 136, 104}, ""},
        {标签2, "标签2", {432, 456, 128, 24}, Gbk("每次数量不可超过20张")},
        {编辑框2, "编辑框2", {432, 408, 56, 40}, Gbk("输入数量")},
        {按钮7, "按钮7", {496, 408, 64, 40}, Gbk("批量保存")},
        {按钮6, "按钮6", {432, 360, 128, 40}, Gbk("保  存（运行目录下）")},
        {按钮4, "按钮4", {432, 312, 128, 40}, Gbk("上一张")},
        {按钮3, "按钮3", {432, 120, 128, 32}, Gbk("适合屏幕")},
        {图片框1, "图片框1", {8, 112, 416, 472}, ""},
        {按钮2, "按钮2", {432, 216, 128, 80}, Gbk("获  取")},
        {按钮1, "按钮1", {432, 168, 128, 32}, Gbk("原始大小")},
        {标签1,
         "标签1",
         {16, 592, 408, 32},
         Gbk("声明：本软件资源收集于网络，如有侵权或软件不可用，请联系微信：") + contact +
             Gbk("告知。\r\n")},
        {标签6, "标签6", {424, 8, 136, 104}, Gbk("Tol\r\nva\r\nne")},
        {标签4, "标签4", {8, 88, 416, 24}, Gbk("您已成功采集微信群0个。")},
        {标签3, "标签3", {8, 16, 416, 56}, NoticeText()},
    };
    for (const auto& c : cases) {
        QWidget* widget = ControlWidget(c.control);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), QString::fromUtf8(c.objectName));
        EXPECT_EQ(widget->geometry(), c.rect) << c.objectName;
        EXPECT_EQ(runtime::GetCaption(c.control), c.caption) << c.objectName;
    }
}

TEST_F(MainWindowTest, WindowTitlePlaceAndSize) {
    QWidget* window = StartupWindowWidget();
    const QString title = QString::fromUtf8("Tolvane2.3版 微信:") + compiled::kContactId;
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(window->frameGeometry(), QRect(50, 50, 578, 652));
    EXPECT_EQ(std::string(compiled::kContactId).size(), 11u);
}

// 图片框2 and 标签6 share a rectangle: the picture, once shown, stands in front of the text.
TEST_F(MainWindowTest, ThePromotionCoversTheTitleOnceShown) {
    QWidget* window = StartupWindowWidget();
    const QPoint middle(424 + 68, 8 + 52);
    EXPECT_EQ(window->childAt(middle), ControlWidget(标签6));
    runtime::SetVisible(图片框2, true);
    EXPECT_EQ(window->childAt(middle), ControlWidget(图片框2));
    const QImage shot = window->grab(QRect(424, 8, 136, 104)).toImage();
    const QImage promotion = ControlWidget(图片框2)->grab().toImage();
    EXPECT_EQ(shot.convertToFormat(QImage::Format_RGB32),
              promotion.convertToFormat(QImage::Format_RGB32));
}

TEST_F(MainWindowTest, FontsOfTheForm) {
    const struct {
        MainControl control;
        int pixelSize;
        int weight;
    } cases[] = {{标签4, 21, 700}, {标签3, 16, 700}, {按钮2, 29, 700}, {标签6, 29, 400}};
    for (const auto& c : cases) {
        const QFont font = ControlWidget(c.control)->font();
        EXPECT_EQ(font.pixelSize(), c.pixelSize);
        EXPECT_EQ(font.weight(), c.weight);
    }
}

TEST_F(MainWindowTest, PromotionIsHiddenAndTheStartPictureShows) {
    EXPECT_FALSE(runtime::IsVisible(图片框2));
    EXPECT_TRUE(runtime::IsVisible(标签6));

    // The 430 x 430 start picture is fitted into the 416 x 472 box: 416 x 416, 28 rows down.
    const QImage shot = ControlWidget(图片框1)->grab().toImage();
    EXPECT_EQ(shot.pixel(208, 10), qRgb(192, 192, 192));
    EXPECT_EQ(shot.pixel(208, 461), qRgb(192, 192, 192));
    const QRgb corner = shot.pixel(4, 32);  // the teal corner of the picture
    EXPECT_LT(qRed(corner), 60);
    EXPECT_GT(qBlue(corner), 110);
}

// The marker that starts the first frame: SOF0 for a baseline JPEG, SOF2 for a progressive one.
std::uint8_t FrameMarker(std::span<const std::uint8_t> jpeg) {
    for (std::size_t i = 2; i + 3 < jpeg.size();) {
        const std::uint8_t marker = jpeg[i + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            return marker;
        }
        i += 2 + ((std::size_t(jpeg[i + 2]) << 8) | jpeg[i + 3]);
    }
    return 0;
}

TEST(BuiltinPicturesTest, FormatsAndSizes) {
    const struct {
        const char* what;
        std::span<const std::uint8_t> bytes;
        std::size_t size;
        std::uint8_t frame;
        int side;
    } cases[] = {{"start", StartPicture(), 39092, 0xC0, 430},
                 {"promotion", PromotionPicture(), 82286, 0xC2, 1080}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.bytes.size(), c.size);
        EXPECT_EQ(FrameMarker(c.bytes), c.frame);
        const auto picture = codecs::DecodePicture(c.bytes);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->width, c.side);
        EXPECT_EQ(picture->height, c.side);
    }
}

int hookOrder = 0;
int appHookSawOrder = -1;

void LaterHook() {
    appHookSawOrder = ++hookOrder;
}

int EntryClosingTheWindowSoon() {
    QTimer::singleShot(0, [] { StartupWindowWidget()->close(); });
    const int result = ProgramEntry();
    runtime::RegisterExitHook(LaterHook);
    return result;
}

TEST(ProgramTest, ClosingTheWindowEndsTheProgramAndReleasesTheRunState) {
    app::Run().currentPath = "down/a.jpg";
    app::Run().pathHistory = "down/a.jpgdown/b.jpg";
    EXPECT_EQ(runtime::RunProgram(0, nullptr, EntryClosingTheWindowSoon), 0);
    EXPECT_TRUE(app::Run().currentPath.empty());
    EXPECT_TRUE(app::Run().pathHistory.empty());
    EXPECT_EQ(appHookSawOrder, 1);  // after the program's own hook, once
    runtime::RunExitHooks();
    EXPECT_EQ(appHookSawOrder, 1);
}

}  // namespace
}  // namespace app
