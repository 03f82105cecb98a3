#include "db/OdbcDatabase.h"

#include "platform/OdbcApi.h"

#include "db/OdbcValues.h"

namespace db {

using runtime::Text;

OdbcDatabase::OdbcDatabase() {
    // A failed allocation leaves a null environment, on which every later connect fails.
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environmentHandle);
    SQLSetEnvAttr(environmentHandle, SQL_ATTR_ODBC_VERSION, IntegerValue(SQL_OV_ODBC3),
                  SQL_IS_INTEGER);
}

OdbcDatabase::~OdbcDatabase() {
    if (!Disconnect() && connectionHandle != SQL_NULL_HDBC) {
        // A handle left by a failed connect, or a connection that an open transaction kept from
        // disconnecting, would keep the environment from being freed: both would leak.
        SQLEndTran(SQL_HANDLE_DBC, connectionHandle, SQL_ROLLBACK);
        SQLDisconnect(connectionHandle);
        SQLFreeHandle(SQL_HANDLE_DBC, connectionHandle);
    }
    SQLFreeHandle(SQL_HANDLE_ENV, environmentHandle);
}

SQLHDBC OdbcDatabase::GetConnectionHandle() const {
    return connectionHandle;
}

void OdbcDatabase::SetConnectionHandle(SQLHDBC handle) {
    connectionHandle = handle;
}

bool OdbcDatabase::AllocateConnectionHandle() {
    if (connectionHandle != SQL_NULL_HDBC) {
        return true;
    }
    return SQLAllocHandle(SQL_HANDLE_DBC, environmentHandle, &connectionHandle) == SQL_SUCCESS;
}

bool OdbcDatabase::Connect(const Text& connectionString) {
    if (!AllocateConnectionHandle()) {
        return false;
    }
    // The completed connection string is not wanted, but the driver needs somewhere to write it.
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = SQLDriverConnect(connectionHandle, nullptr, InText(connectionString),
                                          InLength<SQLSMALLINT>(connectionString), completed,
                                          sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT);
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

bool OdbcDatabase::ConnectSqlServer(const Text& server, const Text& database,
                                    const std::optional<Text>& login,
                                    const std::optional<Text>& password) {
    if (!login && !password) {
        return Connect("Driver=SQL Server;Server=" + server + ";Database=" + database +
                       ";Trusted_Connection=Yes;Connect Timeout=90");
    }
    return Connect("driver={sql server};server=" + server + ";database=" + database +
                   ";uid=" + login.value_or(Text()) + ";pwd=" + password.value_or(Text()));
}

bool OdbcDatabase::ConnectAccess(const Text& file, const Text& password, bool newDriver) {
    if (newDriver) {
        return Connect("ODBC;DSN=MS Access Database;DBQ=" + file +
                       ";Driver={Microsoft Access Driver (*.mdb, *.accdb)};;DriverId=25;"
                       "FIL=MS Access;MaxBufferSize=2048;PageTimeout=5;PWD=" +
                       password);
    }
    return Connect("DBQ=" + file + ";Pwd=" + password +
                   ";DRIVER={Microsoft Access Driver (*.mdb)};");
}

bool OdbcDatabase::Disconnect() {
    if (SQLDisconnect(connectionHandle) != SQL_SUCCESS) {
        return false;
    }
    SQLFreeHandle(SQL_HANDLE_DBC, connectionHandle);
    connectionHandle = SQL_NULL_HDBC;
    // Disconnecting freed every statement of the connection, and with them their bindings.
    boundLengths.clear();
    return true;
}

}  // namespace db
