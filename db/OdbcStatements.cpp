#include "platform/OdbcApi.h"

#include <array>
#include <cstring>
#include <limits>

#include "db/OdbcDatabase.h"
#include "db/OdbcValues.h"
#include "runtime/BytesOps.h"
#include "runtime/TextCut.h"

namespace db {

using runtime::Bytes;
using runtime::Text;

namespace {

// Starting buffer sizes; a longer value is read on in further calls.
constexpr SQLLEN kTextPiece = 255;
constexpr SQLLEN kBinaryPiece = 10240;
constexpr SQLSMALLINT kNameBuffer = 255;
constexpr int kBinaryParamCount = 5;

bool IsFailure(SQLRETURN rc) {
    return rc == SQL_ERROR || rc == SQL_INVALID_HANDLE;
}

bool Fetch(SQLHSTMT statement, SQLSMALLINT orientation, SQLLEN offset) {
    return SQLFetchScroll(statement, orientation, offset) == SQL_SUCCESS;
}

// Text pieces end at the terminator the driver writes, at most `length` bytes.
struct TextValue {
    using Value = Text;
    static constexpr SQLSMALLINT kCType = SQL_C_CHAR;
    static constexpr SQLLEN kFirstPiece = kTextPiece;
    static Value Buffer(SQLLEN size) { return runtime::BlankText(static_cast<int>(size)); }
    static Value Piece(const Value& buffer, SQLLEN length) {
        const Text written(buffer.c_str(), strnlen(buffer.data(), buffer.size()));
        return length == SQL_NO_TOTAL ? written
                                      : runtime::TextLeft(written, static_cast<int>(length));
    }
};

// Binary pieces have no terminator: the buffer's first `length` bytes.
struct BinaryValue {
    using Value = Bytes;
    static constexpr SQLSMALLINT kCType = SQL_C_BINARY;
    static constexpr SQLLEN kFirstPiece = kBinaryPiece;
    static Value Buffer(SQLLEN size) { return runtime::BlankBytes(static_cast<int>(size)); }
    static Value Piece(const Value& buffer, SQLLEN length) {
        return length == SQL_NO_TOTAL ? buffer
                                      : runtime::BytesLeft(buffer, static_cast<int>(length));
    }
};

// Reads a value of any length in pieces. A truncated piece reports the length that was left
// before the call, which sizes the next buffer; a driver that cannot tell (SQL_NO_TOTAL) is read
// on in fixed pieces until it says the value is complete.
template <typename Kind>
typename Kind::Value ReadWhole(SQLHSTMT statement, int column) {
    typename Kind::Value result;
    if (statement == SQL_NULL_HSTMT) {
        return result;
    }
    SQLLEN length = Kind::kFirstPiece;
    for (;;) {
        auto buffer = Kind::Buffer(length);
        const SQLLEN bufferLength = static_cast<SQLLEN>(buffer.size());
        SQLLEN indicator = bufferLength;
        const SQLRETURN rc =
            SQLGetData(statement, static_cast<SQLUSMALLINT>(column + 1), Kind::kCType,
                       buffer.empty() ? nullptr : buffer.data(), bufferLength, &indicator);
        if (IsFailure(rc) || indicator == SQL_NULL_DATA) {
            return {};
        }
        if (rc == SQL_NO_DATA) {
            return result;
        }
        const auto piece = Kind::Piece(buffer, indicator);
        result.insert(result.end(), piece.begin(), piece.end());
        if (rc != SQL_SUCCESS_WITH_INFO || piece.empty()) {
            return result;
        }
        length = indicator > 0 ? indicator : Kind::kFirstPiece;
    }
}

// Numbers: a NULL or a read without a current row leaves the target as 0.
template <typename Number, SQLSMALLINT cType>
Number ReadNumber(SQLHSTMT statement, int column) {
    Number value = 0;
    if (statement == SQL_NULL_HSTMT) {
        return value;
    }
    SQLLEN indicator = 0;
    SQLGetData(statement, static_cast<SQLUSMALLINT>(column + 1), cType, &value, sizeof value,
               &indicator);
    return value;
}

struct ColumnDescription {
    SQLSMALLINT dataType = 0;
    SQLULEN size = 0;
    SQLSMALLINT nullable = SQL_NO_NULLS;
    bool described = false;
};

ColumnDescription DescribeColumn(SQLHSTMT statement, int column) {
    ColumnDescription d;
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT digits = 0;
    d.described =
        SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(column + 1), nullptr, 0, &nameLength,
                       &d.dataType, &d.size, &digits, &d.nullable) == SQL_SUCCESS;
    return d.described ? d : ColumnDescription{};
}

// The driver's count is SQLLEN wide and the caller's variable 32 bits; a failed call leaves the
// variable as it was.
void WriteRowCount(SQLHSTMT statement, std::int32_t& rowCount) {
    SQLLEN count = rowCount;
    SQLRowCount(statement, &count);
    rowCount = static_cast<std::int32_t>(count);
}

// The driver reads the indicator again at execution, so it must outlive the call.
SQLRETURN BindBinary(SQLHSTMT statement, int number, std::span<const std::uint8_t> value,
                     SQLLEN* lengthIndicator) {
    *lengthIndicator = static_cast<SQLLEN>(value.size());
    return SQLBindParameter(statement, static_cast<SQLUSMALLINT>(number), SQL_PARAM_INPUT,
                            SQL_C_BINARY, SQL_LONGVARBINARY, static_cast<SQLULEN>(value.size()), 0,
                            const_cast<std::uint8_t*>(value.empty() ? nullptr : value.data()),
                            *lengthIndicator, lengthIndicator);
}

}  // namespace

SQLHSTMT OdbcDatabase::AllocateStatement() {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (SQLAllocHandle(SQL_HANDLE_STMT, connectionHandle, &statement) != SQL_SUCCESS) {
        return SQL_NULL_HSTMT;
    }
    return statement;
}

bool OdbcDatabase::Execute(const Text& sql, std::int32_t* rowCount) {
    const SQLHSTMT statement = AllocateStatement();
    if (statement == SQL_NULL_HSTMT) {
        return false;
    }
    const SQLRETURN rc = SQLExecDirect(statement, InText(sql), InLength<SQLINTEGER>(sql));
    if (rowCount) {
        WriteRowCount(statement, *rowCount);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return rc == SQL_SUCCESS;
}

bool OdbcDatabase::ExecuteWithBinaryParams(const Text& sql, std::int32_t* rowCount,
                                           BinaryParam param1, BinaryParam param2,
                                           BinaryParam param3, BinaryParam param4,
                                           BinaryParam param5) {
    // The indicators are read again during SQLExecute, so they live for the whole call.
    std::array<SQLLEN, kBinaryParamCount> lengths{};
    const std::array<BinaryParam, kBinaryParamCount> params{param1, param2, param3, param4, param5};
    const SQLHSTMT statement = AllocateStatement();
    if (statement == SQL_NULL_HSTMT) {
        return false;
    }
    if (SQLPrepare(statement, InText(sql), SQL_NTS) != SQL_SUCCESS) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return false;
    }
    for (int i = 0; i < kBinaryParamCount && params[i]; ++i) {
        BindBinary(statement, i + 1, *params[i], &lengths[i]);
    }
    const SQLRETURN rc = SQLExecute(statement);
    if (rowCount) {
        WriteRowCount(statement, *rowCount);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return rc == SQL_SUCCESS;
}

SQLHSTMT OdbcDatabase::OpenResult(const Text& sql, std::optional<int> cursorType) {
    const SQLHSTMT statement = AllocateStatement();
    if (statement == SQL_NULL_HSTMT) {
        return SQL_NULL_HSTMT;
    }
    SQLSetStmtAttr(
        statement, SQL_ATTR_CURSOR_TYPE,
        IntegerValue(static_cast<SQLULEN>(cursorType.value_or(SQL_CURSOR_KEYSET_DRIVEN))), 0);
    if (SQLExecDirect(statement, InText(sql), InLength<SQLINTEGER>(sql)) != SQL_SUCCESS) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return SQL_NULL_HSTMT;
    }
    return statement;
}

SQLHSTMT OdbcDatabase::PrepareResult(const Text& sql, int cursorType) {
    const SQLHSTMT statement = AllocateStatement();
    if (statement == SQL_NULL_HSTMT) {
        return SQL_NULL_HSTMT;
    }
    SQLSetStmtAttr(statement, SQL_ATTR_CURSOR_TYPE, IntegerValue(static_cast<SQLULEN>(cursorType)),
                   0);
    if (SQLPrepare(statement, InText(sql), SQL_NTS) != SQL_SUCCESS) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return SQL_NULL_HSTMT;
    }
    return statement;
}

bool OdbcDatabase::ExecutePrepared(SQLHSTMT statement) {
    return SQLExecute(statement) == SQL_SUCCESS;
}

bool OdbcDatabase::BindBinaryParam(SQLHSTMT statement, int number,
                                   std::span<const std::uint8_t> value) {
    SQLLEN& indicator = boundLengths[{statement, number}];
    return BindBinary(statement, number, value, &indicator) == SQL_SUCCESS;
}

bool OdbcDatabase::CloseResult(SQLHSTMT statement) {
    const bool closed = SQLFreeHandle(SQL_HANDLE_STMT, statement) == SQL_SUCCESS;
    if (closed) {
        std::erase_if(boundLengths,
                      [statement](const auto& entry) { return entry.first.first == statement; });
    }
    return closed;
}

bool OdbcDatabase::FetchNext(SQLHSTMT statement) {
    return Fetch(statement, SQL_FETCH_NEXT, 0);
}

bool OdbcDatabase::FetchPrior(SQLHSTMT statement) {
    return Fetch(statement, SQL_FETCH_PRIOR, 0);
}

bool OdbcDatabase::FetchFirst(SQLHSTMT statement) {
    return Fetch(statement, SQL_FETCH_FIRST, 0);
}

bool OdbcDatabase::FetchLast(SQLHSTMT statement) {
    return Fetch(statement, SQL_FETCH_LAST, 0);
}

bool OdbcDatabase::FetchAbsolute(SQLHSTMT statement, int row) {
    return Fetch(statement, SQL_FETCH_ABSOLUTE, row);
}

int OdbcDatabase::FindColumn(SQLHSTMT statement, const Text& name) {
    const int count = ColumnCount(statement);
    for (int i = 0; i < count; ++i) {
        if (ColumnName(statement, i) == name) {
            return i;
        }
    }
    return runtime::kNotFound;
}

Text OdbcDatabase::ReadText(SQLHSTMT statement, const Text& name) {
    const int column = FindColumn(statement, name);
    return column == runtime::kNotFound ? Text() : ReadTextAt(statement, column);
}

Bytes OdbcDatabase::ReadBytes(SQLHSTMT statement, const Text& name) {
    const int column = FindColumn(statement, name);
    return column == runtime::kNotFound ? Bytes() : ReadBytesAt(statement, column);
}

std::int32_t OdbcDatabase::ReadInt(SQLHSTMT statement, const Text& name) {
    const int column = FindColumn(statement, name);
    return column == runtime::kNotFound ? 0 : ReadIntAt(statement, column);
}

float OdbcDatabase::ReadFloat(SQLHSTMT statement, const Text& name) {
    const int column = FindColumn(statement, name);
    return column == runtime::kNotFound ? 0 : ReadFloatAt(statement, column);
}

double OdbcDatabase::ReadDouble(SQLHSTMT statement, const Text& name) {
    const int column = FindColumn(statement, name);
    return column == runtime::kNotFound ? 0 : ReadDoubleAt(statement, column);
}

Text OdbcDatabase::ReadTextAt(SQLHSTMT statement, int column) {
    return ReadWhole<TextValue>(statement, column);
}

Bytes OdbcDatabase::ReadBytesAt(SQLHSTMT statement, int column) {
    return ReadWhole<BinaryValue>(statement, column);
}

std::int32_t OdbcDatabase::ReadIntAt(SQLHSTMT statement, int column) {
    return ReadNumber<SQLINTEGER, SQL_C_LONG>(statement, column);
}

float OdbcDatabase::ReadFloatAt(SQLHSTMT statement, int column) {
    return ReadNumber<SQLREAL, SQL_C_FLOAT>(statement, column);
}

double OdbcDatabase::ReadDoubleAt(SQLHSTMT statement, int column) {
    return ReadNumber<SQLDOUBLE, SQL_C_DOUBLE>(statement, column);
}

Text OdbcDatabase::ColumnName(SQLHSTMT statement, int column) {
    SQLCHAR name[kNameBuffer] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT dataType = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    // A name that does not fit is reported with SQL_SUCCESS_WITH_INFO and read as no name.
    if (SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(column + 1), name, kNameBuffer,
                       &nameLength, &dataType, &size, &digits, &nullable) != SQL_SUCCESS) {
        return Text();
    }
    const char* text = reinterpret_cast<const char*>(name);
    return Text(text, strnlen(text, sizeof name));
}

int OdbcDatabase::ColumnCount(SQLHSTMT statement) {
    SQLSMALLINT count = 0;
    SQLNumResultCols(statement, &count);
    return count;
}

int OdbcDatabase::ColumnType(SQLHSTMT statement, int column) {
    return DescribeColumn(statement, column).dataType;
}

int OdbcDatabase::ColumnSize(SQLHSTMT statement, int column) {
    const SQLULEN size = DescribeColumn(statement, column).size;
    return size > static_cast<SQLULEN>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(size);
}

bool OdbcDatabase::ColumnNullable(SQLHSTMT statement, int column) {
    const ColumnDescription d = DescribeColumn(statement, column);
    return d.described && d.nullable != SQL_NO_NULLS;
}

int OdbcDatabase::RecordCount(const Text& table, const std::optional<Text>& condition) {
    const SQLHSTMT statement =
        OpenResult("select count(1) from " + table + " " + condition.value_or(Text()),
                   SQL_CURSOR_FORWARD_ONLY);
    FetchNext(statement);
    const int count = ReadIntAt(statement, 0);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return count;
}

}  // namespace db
