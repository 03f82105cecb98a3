#include "app/GetWorkflow.h"

#include "app/Addresses.h"
#include "app/CompiledValues.h"
#include "app/MainForm.h"
#include "app/MainTexts.h"
#include "app/RunState.h"
#include "db/QuoteSqlText.h"
#include "runtime/BytesOps.h"
#include "runtime/TextCut.h"
#include "runtime/Window.h"
#include "web/HttpVisit.h"
#include "web/PercentDecode.h"

namespace app {
namespace {

constexpr int kUsablePathLength = 11;
constexpr int kFallbackCycle = 100;

void ConnectDatabase(db::OdbcDatabase& database) {
    const runtime::Text login = compiled::kDatabaseLogin;
    database.ConnectSqlServer(compiled::kDatabaseServer, login + "_db", login,
                              runtime::Text(compiled::kDatabasePassword));
}

// Doubling every apostrophe keeps an address from ending the quoted value early.
runtime::Text InsertStatement(const runtime::Text& address) {
    return "INSERT INTO [wangzhi]([日期] ,[地址] ) VALUES(getdate(),'" + db::QuoteSqlText(address) +
           "')";
}

void ShowListedPicture(db::OdbcDatabase& database) {
    const runtime::Text address = PictureStorePrefix() + Run().currentPath;
    runtime::SetPicture(图片框1, web::HttpVisit(address, web::kGet));
    runtime::RedrawNow();
    Run().fallbackRow = 0;
    ConnectDatabase(database);
    database.Execute(InsertStatement(address));
    database.Disconnect();
}

// Walks back from the last stored row by one more row on each consecutive fallback.
void ShowStoredPicture(db::OdbcDatabase& database) {
    ConnectDatabase(database);
    const SQLHSTMT result = database.OpenResult("SELECT [地址] FROM [wangzhi]");
    database.FetchLast(result);
    Run().fallbackRow += 1;
    if (Run().fallbackRow > kFallbackCycle) {
        Run().fallbackRow = 1;
    }
    for (int step = 1; step < Run().fallbackRow; ++step) {
        database.FetchPrior(result);
    }
    const runtime::Text address = database.ReadText(result, "地址");
    database.CloseResult(result);
    database.Disconnect();
    Run().currentPath = CutPath(address);
    runtime::SetPicture(图片框1, web::HttpVisit(address, web::kGet));
    runtime::RedrawNow();
}

}  // namespace

void OnGet() {
    const runtime::Text answer = web::PercentDecode(
        runtime::BytesToText(web::HttpVisit(ListingAddress(), web::kPost)), true);
    Run().currentPath = CutPath(answer);
    Run().collectedCount += 1;
    runtime::SetCaption(标签4, CountText(Run().collectedCount));
    runtime::RedrawNow();  // the count shows before the picture arrives

    db::OdbcDatabase& database = *Run().database;
    if (runtime::TextLength(Run().currentPath) >= kUsablePathLength) {
        ShowListedPicture(database);
    } else {
        ShowStoredPicture(database);
    }
    Run().pathHistory = Run().currentPath + Run().pathHistory;
    runtime::SetCaption(标签3, NoticeText());
}

}  // namespace app
