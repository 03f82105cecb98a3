// The Get workflow's database work through the real driver manager and the SQLite driver
// registered as "SQL Server": the fallback read and the insert cycle against tables of growing
// size, and the memory of 10,000 full cycles.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "db/OdbcDatabase.h"
#include "tests/support/odbc/GetDate.h"
#include "tests/support/odbc/OdbcConfiguration.h"

namespace {

using db::OdbcDatabase;
using runtime::Text;

const Text kInsertPrefix = "INSERT INTO [wangzhi]([日期] ,[地址] ) VALUES(getdate(),'";
const Text kQuery = "SELECT [地址] FROM [wangzhi]";
const Text kAddress = "http://127.0.0.1:18080/images/down20240101abcdefghi.jpg";

bool ConnectDemo(OdbcDatabase& database) {
    return database.ConnectSqlServer("127.0.0.1", "tlv000000001_db", "tlv000000001", "tv123456");
}

// A fresh database file holding `rows` addresses, in the current folder.
void FillTable(std::int64_t rows) {
    std::filesystem::remove("tlv000000001_db");
    OdbcDatabase database;
    ConnectDemo(database);
    database.Execute("CREATE TABLE [wangzhi]([日期] datetime, [地址] varchar(255))");
    database.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(rows) +
                     ") INSERT INTO [wangzhi] SELECT getdate(), "
                     "'http://127.0.0.1:18080/images/down' || i || 'abcdefghij.jpg' FROM n");
    database.Disconnect();
}

void FallbackRead(OdbcDatabase& database) {
    ConnectDemo(database);
    const SQLHSTMT result = database.OpenResult(kQuery);
    database.FetchLast(result);
    for (int i = 0; i < 100; ++i) {
        database.FetchPrior(result);
    }
    benchmark::DoNotOptimize(database.ReadText(result, "地址"));
    database.CloseResult(result);
    database.Disconnect();
}

void InsertCycle(OdbcDatabase& database) {
    ConnectDemo(database);
    database.Execute(kInsertPrefix + kAddress + "')");
    database.Disconnect();
}

// One cycle of `cycle` per iteration, against a table of state.range(0) rows.
template <void (*cycle)(OdbcDatabase&)>
void BM_OnTable(benchmark::State& state) {
    FillTable(state.range(0));
    OdbcDatabase database;
    for (auto _ : state) {
        cycle(database);
    }
}
BENCHMARK(BM_OnTable<FallbackRead>)
    ->Name("BM_FallbackRead")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnTable<InsertCycle>)
    ->Name("BM_InsertCycle")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// Memory stays flat over many connect, insert, query, close, disconnect cycles: the growth
// between the first and the last 1,000 cycles is what a leak would show as.
void BM_CycleMemory(benchmark::State& state) {
    FillTable(100);
    OdbcDatabase database;
    long afterWarmUp = 0;
    long atEnd = 0;
    for (auto _ : state) {
        for (int cycle = 1; cycle <= 10000; ++cycle) {
            ConnectDemo(database);
            database.Execute(kInsertPrefix + kAddress + "')");
            const SQLHSTMT result = database.OpenResult(kQuery);
            database.FetchLast(result);
            benchmark::DoNotOptimize(database.ReadText(result, "地址"));
            database.CloseResult(result);
            // Without this the result would grow by a row each cycle.
            database.Execute("DELETE FROM [wangzhi] WHERE [地址] = '" + kAddress + "'");
            database.Disconnect();
            if (cycle == 1000) {
                afterWarmUp = ResidentKiB();
            }
        }
        atEnd = ResidentKiB();
    }
    state.counters["rss_after_1000_KiB"] = static_cast<double>(afterWarmUp);
    state.counters["rss_after_10000_KiB"] = static_cast<double>(atEnd);
    state.counters["rss_growth_KiB"] = static_cast<double>(atEnd - afterWarmUp);
}
BENCHMARK(BM_CycleMemory)->Iterations(1)->Unit(benchmark::kSecond);

// Prints, beside the usual table, how the time per cycle grows from the smallest table to the
// largest.
class GrowthReporter : public benchmark::ConsoleReporter {
  public:
    GrowthReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            if (slash == std::string::npos || run.iterations == 0 ||
                name.find_first_not_of("0123456789", slash + 1) != std::string::npos) {
                continue;
            }
            perCycle[name.substr(0, slash)][std::stol(name.substr(slash + 1))] =
                run.real_accumulated_time / static_cast<double>(run.iterations);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [benchmarkName, byRows] : perCycle) {
            if (byRows.size() < 2) {
                continue;
            }
            const auto& [fewRows, fewTime] = *byRows.begin();
            const auto& [manyRows, manyTime] = *byRows.rbegin();
            std::printf("%s: %.3f ms per cycle at %ld rows, %.3f ms at %ld rows: %.1fx\n",
                        benchmarkName.c_str(), fewTime * 1e3, fewRows, manyTime * 1e3, manyRows,
                        manyTime / fewTime);
        }
    }

  private:
    std::map<std::string, std::map<long, double>> perCycle;
};

}  // namespace

int main(int argc, char** argv) {
    odbc_test::UseOdbcConfiguration(odbc_test::DriverSetup::Sqlite);
    odbc_test::AddGetDateToSqlite();
    // In memory where possible: on disk every commit waits for the disk, which would hide what
    // the database object itself costs.
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tolvane-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        return 1;
    }
    std::filesystem::current_path(pattern);

    benchmark::Initialize(&argc, argv);
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::filesystem::current_path("/");
    std::filesystem::remove_all(pattern);
    return 0;
}
