#include "platform/OdbcApi.h"

#include <algorithm>
#include <cstring>

#include "db/OdbcDatabase.h"
#include "runtime/BytesOps.h"

namespace db {

using runtime::Text;

namespace {

constexpr SQLSMALLINT kStateBuffer = 6;
constexpr SQLSMALLINT kMessageBuffer = 512;

Text WrittenText(const Text& buffer, std::size_t limit) {
    return Text(buffer.c_str(), strnlen(buffer.c_str(), std::min(limit, buffer.size())));
}

}  // namespace

int OdbcDatabase::GetDiagnostics(Text* states, Text* messages) {
    Text droppedStates;
    Text droppedMessages;
    Text& stateText = states ? *states : droppedStates;
    Text& messageText = messages ? *messages : droppedMessages;
    SQLINTEGER nativeError = 0;
    for (SQLSMALLINT record = 1;; ++record) {
        Text state = runtime::BlankText(kStateBuffer);
        Text message = runtime::BlankText(kMessageBuffer);
        SQLSMALLINT messageLength = 0;
        const SQLRETURN rc = SQLGetDiagRec(SQL_HANDLE_DBC, connectionHandle, record,
                                           reinterpret_cast<SQLCHAR*>(state.data()), &nativeError,
                                           reinterpret_cast<SQLCHAR*>(message.data()),
                                           kMessageBuffer, &messageLength);
        if (rc == SQL_ERROR || rc == SQL_INVALID_HANDLE) {
            return 0;
        }
        if (rc == SQL_NO_DATA) {
            return nativeError;
        }
        stateText += WrittenText(state, state.size());
        // A message cut at the buffer reports its whole length.
        const int length = std::clamp<int>(messageLength, 0, kMessageBuffer - 1);
        messageText += WrittenText(message, static_cast<std::size_t>(length));
    }
}

}  // namespace db
