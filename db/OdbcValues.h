#pragma once

// How the object's values cross the ODBC C interface: texts as byte pointers with their lengths,
// integer attributes passed as the pointer value itself.

#include "platform/OdbcApi.h"

#include <limits>
#include <type_traits>

#include "db/OdbcDatabase.h"
#include "runtime/Text.h"

namespace db {

static_assert(std::is_same_v<OdbcLength, SQLLEN>);

// The empty text goes to ODBC as a null pointer, never as a pointer to an empty string.
inline SQLCHAR* InText(const runtime::Text& t) {
    return t.empty() ? nullptr : reinterpret_cast<SQLCHAR*>(const_cast<char*>(t.c_str()));
}

// A text too long for the length field is still terminated, so it goes as SQL_NTS instead of
// with a wrapped length.
template <typename Length>
Length InLength(const runtime::Text& t) {
    return t.size() <= static_cast<std::size_t>(std::numeric_limits<Length>::max())
               ? static_cast<Length>(t.size())
               : static_cast<Length>(SQL_NTS);
}

inline SQLPOINTER IntegerValue(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
}

}  // namespace db
