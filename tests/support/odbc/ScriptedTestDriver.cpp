// A driver that records what it is sent and answers what a test chose, through the environment
// of the process it is loaded into:
//   SQLDriverConnect leaves its connection string in TOLVANE_TEST_CONNECT_STRING and answers with
//   the return code in TOLVANE_TEST_CONNECT_RESULT (refusing when there is none);
//   SQLBrowseConnect leaves its request in TOLVANE_TEST_BROWSE_REQUEST and answers
//   TOLVANE_TEST_BROWSE_ANSWER with SQL_NEED_DATA;
//   every query yields one row whose columns all hold TOLVANE_TEST_VALUE, which SQLGetData hands
//   out without telling the remaining length (SQL_NO_TOTAL), as some drivers do for long values.

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct DriverHandle {
    SQLSMALLINT type;
    int row = 0;                // statements: 0 before the only row, 1 on it, 2 after it
    std::size_t delivered = 0;  // bytes of the current column already handed out
    bool complete = false;      // the current column was handed out to its end
    SQLUSMALLINT column = 0;
};

int IntegerFromEnvironment(const char* name, int fallback) {
    const char* value = getenv(name);
    return value ? atoi(value) : fallback;
}

std::string Received(SQLCHAR* text, SQLSMALLINT length) {
    const char* in = reinterpret_cast<const char*>(text);
    if (!in) {
        return {};
    }
    return length == SQL_NTS ? std::string(in) : std::string(in, static_cast<std::size_t>(length));
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE, SQLHANDLE* result) {
    *result = new DriverHandle{type};
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT, SQLHANDLE handle) {
    delete static_cast<DriverHandle*>(handle);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength, SQLCHAR*,
                                   SQLSMALLINT, SQLSMALLINT*, SQLUSMALLINT) {
    setenv("TOLVANE_TEST_CONNECT_STRING", Received(in, inLength).c_str(), 1);
    return static_cast<SQLRETURN>(IntegerFromEnvironment("TOLVANE_TEST_CONNECT_RESULT", SQL_ERROR));
}

// What the driver manager asks of a fresh connection: nothing is supported beyond the calls here.
SQLRETURN SQL_API SQLGetInfo(SQLHDBC, SQLUSMALLINT, SQLPOINTER value, SQLSMALLINT size,
                             SQLSMALLINT* length) {
    if (value && size > 0) {
        std::memset(value, 0, static_cast<std::size_t>(size));
    }
    if (length) {
        *length = 0;
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT statement, SQLCHAR*, SQLINTEGER) {
    *static_cast<DriverHandle*>(statement) = DriverHandle{SQL_HANDLE_STMT};
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT, SQLSMALLINT* count) {
    *count = 2;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT statement, SQLSMALLINT orientation, SQLLEN) {
    auto* s = static_cast<DriverHandle*>(statement);
    if (orientation != SQL_FETCH_NEXT) {
        return SQL_ERROR;
    }
    s->column = 0;
    return ++s->row == 1 ? SQL_SUCCESS : SQL_NO_DATA;
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType,
                             SQLPOINTER target, SQLLEN size, SQLLEN* indicator) {
    auto* s = static_cast<DriverHandle*>(statement);
    if (s->row != 1) {
        return SQL_ERROR;
    }
    if (column != s->column) {
        *s = DriverHandle{SQL_HANDLE_STMT, s->row, 0, false, column};
    }
    const char* scripted = getenv("TOLVANE_TEST_VALUE");
    const std::string value = scripted ? scripted : "";
    if (s->complete) {
        return SQL_NO_DATA;
    }
    const bool text = cType == SQL_C_CHAR;
    const std::size_t room = static_cast<std::size_t>(size) - (text ? 1 : 0);
    const std::size_t left = value.size() - s->delivered;
    const std::size_t n = std::min(left, room);
    std::memcpy(target, value.data() + s->delivered, n);
    if (text) {
        static_cast<char*>(target)[n] = 0;
    }
    s->delivered += n;
    s->complete = n == left;
    *indicator = n < left ? SQL_NO_TOTAL : static_cast<SQLLEN>(n);
    return n < left ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBrowseConnect(SQLHDBC, SQLCHAR* request, SQLSMALLINT requestLength,
                                   SQLCHAR* answer, SQLSMALLINT answerSize,
                                   SQLSMALLINT* answerLength) {
    setenv("TOLVANE_TEST_BROWSE_REQUEST", Received(request, requestLength).c_str(), 1);
    const char* scripted = getenv("TOLVANE_TEST_BROWSE_ANSWER");
    const std::string text = scripted ? scripted : "";
    if (answerLength) {
        *answerLength = static_cast<SQLSMALLINT>(text.size());
    }
    if (answer && answerSize > 0) {
        const std::size_t n = std::min<std::size_t>(text.size(), answerSize - 1);
        std::memcpy(answer, text.data(), n);
        answer[n] = 0;
    }
    return SQL_NEED_DATA;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT, SQLHANDLE, SQLSMALLINT, SQLCHAR*, SQLINTEGER*,
                                SQLCHAR*, SQLSMALLINT, SQLSMALLINT*) {
    return SQL_NO_DATA;
}

}  // extern "C"
