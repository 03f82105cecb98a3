#include "platform/OdbcApi.h"

#include "db/OdbcDatabase.h"
#include "db/OdbcValues.h"

namespace db {

bool OdbcDatabase::BeginTransaction() {
    return SQLSetConnectAttr(connectionHandle, SQL_ATTR_AUTOCOMMIT,
                             IntegerValue(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER) == SQL_SUCCESS;
}

// Autocommit comes back on even when ending the transaction failed, so the connection is never
// left in a manual transaction that nobody will end.
bool OdbcDatabase::EndTransaction(int completionType) {
    const SQLRETURN rc =
        SQLEndTran(SQL_HANDLE_DBC, connectionHandle, static_cast<SQLSMALLINT>(completionType));
    SQLSetConnectAttr(connectionHandle, SQL_ATTR_AUTOCOMMIT, IntegerValue(SQL_AUTOCOMMIT_ON),
                      SQL_IS_UINTEGER);
    return rc == SQL_SUCCESS;
}

bool OdbcDatabase::Rollback() {
    return EndTransaction(SQL_ROLLBACK);
}

bool OdbcDatabase::Commit() {
    return EndTransaction(SQL_COMMIT);
}

bool OdbcDatabase::SetConnectionTimeout(int seconds) {
    if (!AllocateConnectionHandle()) {
        return false;
    }
    return SQLSetConnectAttr(connectionHandle, SQL_ATTR_CONNECTION_TIMEOUT,
                             IntegerValue(static_cast<SQLULEN>(seconds)), 0) == SQL_SUCCESS;
}

int OdbcDatabase::GetConnectionTimeout() {
    if (!AllocateConnectionHandle()) {
        return 0;
    }
    SQLUINTEGER seconds = 0;
    SQLINTEGER length = 0;
    SQLGetConnectAttr(connectionHandle, SQL_ATTR_CONNECTION_TIMEOUT, &seconds, SQL_IS_UINTEGER,
                      &length);
    return static_cast<int>(seconds);
}

}  // namespace db
