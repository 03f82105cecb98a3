#include "db/QuoteSqlText.h"

#include <algorithm>

namespace db {

runtime::Text QuoteSqlText(const runtime::Text& text) {
    runtime::Text quoted;
    quoted.reserve(text.size() + static_cast<std::size_t>(std::ranges::count(text, '\'')));
    for (const char byte : text) {
        quoted += byte;
        if (byte == '\'') {
            quoted += '\'';
        }
    }
    return quoted;
}

}  // namespace db
