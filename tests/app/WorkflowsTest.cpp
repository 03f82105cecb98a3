// The main window's workflows end to end: the real window (Qt offscreen), the demo services on
// their loopback addresses, the SQLite ODBC driver standing in for SQL Server.

#include <sqlite3.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "app/Addresses.h"
#include "app/CompiledHosts.h"
#include "app/CompiledValues.h"
#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/MainWindow.h"
#include "app/RunState.h"
#include "demo/AddressTable.h"
#include "demo/DemoServices.h"
#include "platform/user32/MessageBoxResponder.h"
#include "platform/window/PictureBox.h"
#include "platform/window/WindowAccess.h"
#include "runtime/SystemServices.h"
#include "tests/support/odbc/GetDate.h"
#include "tests/support/odbc/OdbcConfiguration.h"

using user32::MessageBoxSeen;
using user32::SetMessageBoxResponder;
using window::ControlWidget;
using window::StartupWindowWidget;

namespace app {
namespace {

namespace fs = std::filesystem;

// The program's messages, in GBK.
const runtime::Text kNoPrevious = "\xCE\xDE\xC9\xCF\xD2\xBB\xD5\xC5";  // 无上一张
const runtime::Text kSaveFailed = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC";  // 保存失败
const runtime::Text kBatchDone =
    "\xC5\xFA\xC1\xBF\xBB\xF1\xC8\xA1\xCD\xEA\xB1\xCF";  // 批量获取完毕
const runtime::Text kBadCount =
    "\xCA\xFD\xC1\xBF\xCC\xEE\xD0\xB4\xB2\xBB\xD5\xFD\xC8\xB7";  // 数量填写不正确

constexpr int kStoredRows = 10;

std::string StoredPath(int fromLast) {
    return demo::PathFor(900000u + kStoredRows + 1 - fromLast);
}

// The window becomes active some time after it is shown; its first activation greets.
bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return condition();
}

void ResetRunState() {
    app::Run().currentPath.clear();
    app::Run().collectedCount = 0;
    app::Run().fallbackRow = 0;
    app::Run().database.reset();
    app::Run().pathHistory.clear();
}

void CloseMainWindow() {
    StartupWindowWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SetMessageBoxResponder({});
    ResetRunState();
}

class WorkflowsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::Sqlite);
        odbc_test::AddGetDateToSqlite();
    }

    void SetUp() override {
        previousDir_ = fs::current_path();
        workDir_ = fs::temp_directory_path() / ("tolvane-workflows-" + std::to_string(getpid()));
        fs::create_directories(workDir_);
        fs::current_path(workDir_);  // the database name is a SQLite file here
        ASSERT_TRUE(demo::PrepareAddressTable(DatabaseFile(), PictureStorePrefix(), kStoredRows));
        ASSERT_TRUE(services_.Start(demo::ParseEndpoint(compiled::kListingHost),
                                    demo::ParseEndpoint(compiled::kAnnouncementHost)));
        SetMessageBoxResponder([this](const MessageBoxSeen& box) {
            messages_.push_back(box.text);
            getVisibleDuringBoxes_.push_back(runtime::IsVisible(按钮2));
            return IDOK;
        });
        app::Run().database.emplace();
        runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents());
        ASSERT_TRUE(WaitFor([this] { return services_.AnnouncementRequests() == 1; }));
        messages_.clear();
        getVisibleDuringBoxes_.clear();
    }

    void TearDown() override {
        CloseMainWindow();
        services_.Stop();
        for (const fs::path& file : savedFiles_) {
            fs::remove_all(file);
        }
        fs::current_path(previousDir_);
        fs::remove_all(workDir_);
    }

    static std::string DatabaseFile() { return std::string(compiled::kDatabaseLogin) + "_db"; }

    static void Click(MainControl button) {
        qobject_cast<QPushButton*>(ControlWidget(button))->click();
    }

    // The addresses in the table, oldest first.
    static std::vector<std::string> StoredAddresses() {
        sqlite3* database = nullptr;
        sqlite3_open(DatabaseFile().c_str(), &database);
        sqlite3_stmt* query = nullptr;
        sqlite3_prepare_v2(database, "SELECT [\xB5\xD8\xD6\xB7], [\xC8\xD5\xC6\xDA] FROM [wangzhi]",
                           -1, &query, nullptr);
        std::vector<std::string> addresses;
        while (sqlite3_step(query) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(query, 0);
            const bool dated = sqlite3_column_type(query, 1) != SQLITE_NULL;
            addresses.push_back(dated ? reinterpret_cast<const char*>(text) : "(no date)");
        }
        sqlite3_finalize(query);
        sqlite3_close(database);
        return addresses;
    }

    // The file Save writes for a path, in the run directory; removed after the test.
    fs::path SavedFile(const std::string& name) {
        const fs::path file = fs::path(runtime::RunDirectory()) / name;
        savedFiles_.push_back(file);
        return file;
    }

    static bool ShowsAQrCode() {
        const QImage shot = ControlWidget(图片框1)->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shot.height(); y += 4) {
            for (int x = 0; x < shot.width(); x += 4) {
                dark += qGray(shot.pixel(x, y)) < 64;
            }
        }
        return dark > 100;
    }

    demo::DemoServices services_;
    std::vector<runtime::Text> messages_;
    std::vector<bool> getVisibleDuringBoxes_;
    std::vector<fs::path> savedFiles_;
    fs::path previousDir_;
    fs::path workDir_;
};

TEST_F(WorkflowsTest, GetShowsCountsAndRecordsTheFullAddress) {
    Click(按钮2);
    const std::string path = demo::PathFor(1);
    EXPECT_EQ(app::Run().currentPath, path);
    EXPECT_EQ(app::Run().pathHistory, path);
    EXPECT_EQ(app::Run().collectedCount, 1);
    EXPECT_EQ(app::Run().fallbackRow, 0);
    EXPECT_EQ(runtime::GetCaption(标签4), CountText(1));
    EXPECT_TRUE(ShowsAQrCode());
    const auto stored = StoredAddresses();
    ASSERT_EQ(stored.size(), std::size_t(kStoredRows + 1));
    EXPECT_EQ(stored.back(), "http://" + std::string(compiled::kListingHost) + "/images/" + path);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(WorkflowsTest, AnAddressWithApostrophesIsStoredIntact) {
    services_.SetListingAnswer("群：down/it's''here.jpg 请扫码");
    Click(按钮2);
    EXPECT_EQ(app::Run().currentPath, "down/it's''here.jpg");
    EXPECT_TRUE(ShowsAQrCode());
    EXPECT_EQ(StoredAddresses().back(), PictureStorePrefix() + "down/it's''here.jpg");
}

TEST_F(WorkflowsTest, FallbackWalksBackFromTheLastStoredRow) {
    services_.SetListingUnusable(true);
    for (int press = 1; press <= 5; ++press) {
        Click(按钮2);
        EXPECT_EQ(app::Run().currentPath, StoredPath(press)) << "press " << press;
        EXPECT_TRUE(ShowsAQrCode());
    }
    EXPECT_EQ(app::Run().fallbackRow, 5);
    EXPECT_EQ(app::Run().collectedCount, 5);
    EXPECT_EQ(StoredAddresses().size(), std::size_t(kStoredRows));  // a fallback writes nothing
}

TEST_F(WorkflowsTest, AListedPictureResetsTheWalk) {
    services_.SetListingUnusable(true);
    Click(按钮2);
    Click(按钮2);
    EXPECT_EQ(app::Run().currentPath, StoredPath(2));
    services_.SetListingUnusable(false);
    Click(按钮2);
    EXPECT_EQ(app::Run().fallbackRow, 0);
    services_.SetListingUnusable(true);
    Click(按钮2);
    // The last row is now the address the listed press recorded.
    EXPECT_EQ(app::Run().currentPath, demo::PathFor(1));
    EXPECT_EQ(app::Run().pathHistory,
              demo::PathFor(1) + demo::PathFor(1) + StoredPath(2) + StoredPath(1));
}

TEST_F(WorkflowsTest, TheWalkWrapsAfterTheHundredthRow) {
    services_.SetListingUnusable(true);
    app::Run().fallbackRow = 9;
    Click(按钮2);  // the 10th from the last: the oldest stored row
    EXPECT_EQ(app::Run().currentPath, StoredPath(10));
    Click(按钮2);  // the 11th from the last does not exist: nothing is read
    EXPECT_EQ(app::Run().currentPath, "");
    EXPECT_FALSE(ShowsAQrCode());
    app::Run().fallbackRow = 100;
    Click(按钮2);  // the 101st press reads the last row again
    EXPECT_EQ(app::Run().fallbackRow, 1);
    EXPECT_EQ(app::Run().currentPath, StoredPath(1));
}

TEST_F(WorkflowsTest, PreviousStepsBackThroughTheHistory) {
    Click(按钮2);
    Click(按钮4);
    EXPECT_EQ(messages_, std::vector<runtime::Text>{kNoPrevious});
    Click(按钮2);
    Click(按钮4);
    EXPECT_EQ(app::Run().currentPath, demo::PathFor(1));
    EXPECT_TRUE(ShowsAQrCode());
    Click(按钮4);  // the oldest has nothing after it: the bare prefix is asked for
    EXPECT_EQ(app::Run().currentPath, "");
    EXPECT_FALSE(ShowsAQrCode());
    Click(按钮4);
    EXPECT_EQ(app::Run().currentPath, demo::PathFor(1));
    Click(按钮2);
    Click(按钮4);
    EXPECT_EQ(app::Run().currentPath, demo::PathFor(2));
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(app::Run().collectedCount, 3);
}

TEST_F(WorkflowsTest, PreviousShowsThePromotionOnceEnoughWasCollected) {
    app::Run().collectedCount = 5;
    Click(按钮4);
    EXPECT_FALSE(runtime::IsVisible(图片框2));
    app::Run().collectedCount = 6;
    Click(按钮4);
    EXPECT_TRUE(runtime::IsVisible(图片框2));
    EXPECT_EQ(messages_, (std::vector<runtime::Text>{kNoPrevious, kNoPrevious}));
}

bool IsJpegFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return bytes.size() > 100 && bytes.compare(0, 3, "\xFF\xD8\xFF") == 0;
}

TEST_F(WorkflowsTest, SaveWritesTheEighteenCharacterNameInTheRunDirectory) {
    Click(按钮2);
    const fs::path file = SavedFile(demo::PathFor(1).substr(5));
    Click(按钮6);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(IsJpegFile(file)) << file;
}

TEST_F(WorkflowsTest, SaveKeepsAHostileNameInTheRunDirectory) {
    app::Run().currentPath = "down/a/b/\x01../x/ev.jpg";
    const fs::path file = SavedFile("a_b__.._x_ev.jpg");
    Click(按钮6);
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(IsJpegFile(file)) << file;
}

TEST_F(WorkflowsTest, SaveReportsAFileThatCannotBeWritten) {
    Click(按钮2);
    const fs::path blocker = SavedFile(demo::PathFor(1).substr(5));
    fs::create_directories(blocker / "inside");  // a folder where the file should go
    Click(按钮6);
    EXPECT_EQ(messages_, std::vector<runtime::Text>{kSaveFailed});
    EXPECT_TRUE(fs::is_directory(blocker));
}

TEST_F(WorkflowsTest, SaveReportsAPictureThatIsNotThere) {
    services_.Stop();
    app::Run().currentPath = demo::PathFor(7);
    Click(按钮6);
    EXPECT_EQ(messages_, std::vector<runtime::Text>{kSaveFailed});
}

void TypeCount(const char* text) {
    qobject_cast<QLineEdit*>(ControlWidget(编辑框2))->setText(QString::fromUtf8(text));
}

TEST_F(WorkflowsTest, BatchSaveCollectsAndSavesTwenty) {
    for (unsigned n = 1; n <= 20; ++n) {
        SavedFile(demo::PathFor(n).substr(5));
    }
    TypeCount("20");
    Click(按钮7);
    EXPECT_EQ(messages_, std::vector<runtime::Text>{kBatchDone});
    EXPECT_EQ(getVisibleDuringBoxes_, std::vector<bool>{false});
    EXPECT_TRUE(runtime::IsVisible(按钮2));
    EXPECT_EQ(app::Run().collectedCount, 20);
    EXPECT_EQ(runtime::GetCaption(标签4).substr(18, 2), "20");
    for (unsigned n = 1; n <= 20; ++n) {
        EXPECT_TRUE(IsJpegFile(fs::path(runtime::RunDirectory()) / demo::PathFor(n).substr(5)));
    }
    EXPECT_EQ(StoredAddresses().size(), std::size_t(kStoredRows + 20));
}

TEST_F(WorkflowsTest, BatchSaveRefusesCountsOutsideOneToTwenty) {
    for (const char* typed : {"21", "0", "-3", "", "输入数量"}) {
        messages_.clear();
        TypeCount(typed);
        Click(按钮7);
        EXPECT_EQ(messages_, std::vector<runtime::Text>{kBadCount}) << typed;
        EXPECT_TRUE(runtime::IsVisible(按钮2));
    }
    EXPECT_EQ(app::Run().collectedCount, 0);
    EXPECT_EQ(services_.ListingRequests(), 0);
}

TEST_F(WorkflowsTest, DisplayModeButtonsOnlyChangeTheDrawing) {
    auto* box = dynamic_cast<window::PictureBox*>(ControlWidget(图片框1));
    ASSERT_NE(box, nullptr);
    Click(按钮3);
    EXPECT_EQ(box->DisplayMode(), runtime::DisplayMode::kStretchedToBox);
    Click(按钮1);
    EXPECT_EQ(box->DisplayMode(), runtime::DisplayMode::kNaturalShrunkToFit);
    EXPECT_EQ(services_.ListingRequests(), 0);
}

class WelcomeTest : public WorkflowsTest {
  protected:
    void SetUp() override {}     // each test starts the window itself
    void TearDown() override {}  // and closes it
};

TEST_F(WelcomeTest, GreetsFirstThenShowsTheAnnouncementOnce) {
    demo::DemoServices services;
    ASSERT_TRUE(services.Start(demo::ParseEndpoint(compiled::kListingHost),
                               demo::ParseEndpoint(compiled::kAnnouncementHost)));
    std::vector<runtime::Text> texts;
    std::vector<int> requestsBefore;
    HWND owner = 0;
    SetMessageBoxResponder([&](const MessageBoxSeen& box) {
        texts.push_back(box.text);
        owner = box.owner;
        requestsBefore.push_back(services.AnnouncementRequests());
        return IDOK;
    });
    app::Run().database.emplace();
    runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents());
    ASSERT_TRUE(WaitFor([&] { return services.AnnouncementRequests() == 1; }));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].substr(0, 8), "\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3");  // 欢迎使用
    EXPECT_NE(texts[0].find(compiled::kContactId), std::string::npos);
    EXPECT_NE(owner, 0u);
    EXPECT_EQ(requestsBefore, std::vector<int>{0});  // the request waits for the box
    EXPECT_EQ(services.AnnouncementRequests(), 1);
    EXPECT_TRUE(ShowsAQrCode());

    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(StartupWindowWidget(), &activate);
    runtime::ProcessEvents();
    EXPECT_EQ(texts.size(), 1u);
    EXPECT_EQ(services.AnnouncementRequests(), 1);

    CloseMainWindow();
}

TEST_F(WelcomeTest, AnUnreachableAnnouncementLeavesOnlyTheBackground) {
    bool greeted = false;
    SetMessageBoxResponder([&](const MessageBoxSeen&) {
        greeted = true;
        return IDOK;
    });
    app::Run().database.emplace();
    runtime::LoadStartupWindow(MainWindowForm(), MainWindowEvents());
    ASSERT_TRUE(WaitFor([&] { return greeted; }));
    runtime::ProcessEvents();  // the refused announcement request has returned by now
    const QImage shot = ControlWidget(图片框1)->grab().toImage();
    EXPECT_EQ(shot.pixel(208, 236), qRgb(192, 192, 192));  // no longer the start picture
    CloseMainWindow();
}

}  // namespace
}  // namespace app
