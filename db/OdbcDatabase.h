#pragma once

// One ODBC environment for the object's whole life and at most one connection at a time, over the
// driver manager's ANSI entry points: every text goes to ODBC and comes back as GBK bytes.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <utility>

#include "runtime/Text.h"

// The driver manager's handle types, declared exactly as its sql.h declares them. That header is
// kept out of this one: it also declares Windows type names (BOOL, WCHAR, ...) that clash with
// the window layer's.
typedef void* SQLHANDLE;
typedef SQLHANDLE SQLHENV;
typedef SQLHANDLE SQLHDBC;
typedef SQLHANDLE SQLHSTMT;

namespace db {

// SQLLEN, the driver manager's length type: 64 bits on both platforms (long on Linux, long long
// on 64-bit Windows), as std::int64_t is.
using OdbcLength = std::int64_t;

// A binary statement parameter that may be omitted; it views the caller's bytes, which the driver
// reads during execution.
using BinaryParam = std::optional<std::span<const std::uint8_t>>;

class OdbcDatabase {
  public:
    OdbcDatabase();
    ~OdbcDatabase();
    OdbcDatabase(const OdbcDatabase&) = delete;
    OdbcDatabase& operator=(const OdbcDatabase&) = delete;

    SQLHDBC GetConnectionHandle() const;
    void SetConnectionHandle(SQLHDBC handle);

    // Connections. Only these count SQL_SUCCESS_WITH_INFO as success; a failed connect keeps its
    // connection handle for the next attempt.
    bool Connect(const runtime::Text& connectionString);
    // Windows authentication when neither login nor password is given, else SQL Server
    // authentication (an omitted one as empty text).
    bool ConnectSqlServer(const runtime::Text& server, const runtime::Text& database,
                          const std::optional<runtime::Text>& login = std::nullopt,
                          const std::optional<runtime::Text>& password = std::nullopt);
    bool ConnectAccess(const runtime::Text& file, const runtime::Text& password = {},
                       bool newDriver = false);
    bool Disconnect();

    // Statements: every operation below is true only on SQL_SUCCESS. A row count is written only
    // when its variable is given.
    bool Execute(const runtime::Text& sql, std::int32_t* rowCount = nullptr);
    // Binds the parameters from the first on and stops at the first omitted one.
    bool ExecuteWithBinaryParams(const runtime::Text& sql, std::int32_t* rowCount = nullptr,
                                 BinaryParam param1 = std::nullopt,
                                 BinaryParam param2 = std::nullopt,
                                 BinaryParam param3 = std::nullopt,
                                 BinaryParam param4 = std::nullopt,
                                 BinaryParam param5 = std::nullopt);
    // The handles returned below belong to the caller, who frees them with CloseResult; 0 on
    // failure. OpenResult's cursor is keyset-driven unless a cursor type is given;
    // PrepareResult's is forward-only (0) unless told otherwise.
    SQLHSTMT OpenResult(const runtime::Text& sql, std::optional<int> cursorType = std::nullopt);
    SQLHSTMT PrepareResult(const runtime::Text& sql, int cursorType = 0);
    bool ExecutePrepared(SQLHSTMT statement);
    // The driver reads `value` when the statement is executed, so it must outlive that.
    bool BindBinaryParam(SQLHSTMT statement, int number, std::span<const std::uint8_t> value);
    bool CloseResult(SQLHSTMT statement);

    bool FetchNext(SQLHSTMT statement);
    bool FetchPrior(SQLHSTMT statement);
    bool FetchFirst(SQLHSTMT statement);
    bool FetchLast(SQLHSTMT statement);
    bool FetchAbsolute(SQLHSTMT statement, int row);

    // Column indices count from 0; names compare byte for byte. Missing columns and NULLs read as
    // empty or 0.
    int FindColumn(SQLHSTMT statement, const runtime::Text& name);
    runtime::Text ReadText(SQLHSTMT statement, const runtime::Text& name);
    runtime::Bytes ReadBytes(SQLHSTMT statement, const runtime::Text& name);
    std::int32_t ReadInt(SQLHSTMT statement, const runtime::Text& name);
    float ReadFloat(SQLHSTMT statement, const runtime::Text& name);
    double ReadDouble(SQLHSTMT statement, const runtime::Text& name);
    runtime::Text ReadTextAt(SQLHSTMT statement, int column);
    runtime::Bytes ReadBytesAt(SQLHSTMT statement, int column);
    std::int32_t ReadIntAt(SQLHSTMT statement, int column);
    float ReadFloatAt(SQLHSTMT statement, int column);
    double ReadDoubleAt(SQLHSTMT statement, int column);
    runtime::Text ColumnName(SQLHSTMT statement, int column);
    int ColumnCount(SQLHSTMT statement);
    int ColumnType(SQLHSTMT statement, int column);
    int ColumnSize(SQLHSTMT statement, int column);
    bool ColumnNullable(SQLHSTMT statement, int column);
    // `condition` is the whole clause after the table name, keyword included.
    int RecordCount(const runtime::Text& table,
                    const std::optional<runtime::Text>& condition = std::nullopt);

    // Transactions: Commit and Rollback switch autocommit back on whatever ending returned.
    bool BeginTransaction();
    bool Rollback();
    bool Commit();
    bool SetConnectionTimeout(int seconds);
    int GetConnectionTimeout();
    // Appends the connection's diagnostic records (five-character states, messages) to the texts
    // given; returns the native error code of the last record, 0 when none.
    int GetDiagnostics(runtime::Text* states = nullptr, runtime::Text* messages = nullptr);
    runtime::Text BrowseConnect(const runtime::Text& request);
    int ListServers(runtime::TextArray& names);
    int ListDatabases(const runtime::Text& server, const runtime::Text& login,
                      const runtime::Text& password, runtime::TextArray& names);

  private:
    bool AllocateConnectionHandle();
    SQLHSTMT AllocateStatement();
    bool EndTransaction(int completionType);
    int ListBrowseChoices(const runtime::Text& request, const runtime::Text& marker,
                          runtime::TextArray& names);

    SQLHENV environmentHandle = nullptr;
    SQLHDBC connectionHandle = nullptr;
    // Length indicators of BindBinaryParam, read again by the driver at execution: they live
    // until their statement is closed or the connection ends.
    std::map<std::pair<SQLHSTMT, int>, OdbcLength> boundLengths;
};

}  // namespace db
