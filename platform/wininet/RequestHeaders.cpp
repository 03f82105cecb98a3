#include "platform/wininet/RequestHeaders.h"

#include <string>
#include <vector>

#include "platform/wininet/HeaderName.h"

namespace wininet {
namespace {

std::vector<std::string_view> Lines(std::string_view block) {
    std::vector<std::string_view> lines;
    while (!block.empty()) {
        const std::size_t end = block.find('\n');
        std::string_view line = block.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
    }
    return lines;
}

void Append(HeaderList& list, const std::string& line) {
    // On failure the list stays as it was; on success the head is the same list, now longer.
    curl_slist* grown = curl_slist_append(list.handle, line.c_str());
    if (grown != nullptr) {
        static_cast<void>(list.Take());
        list.Reset(grown);
    }
}

}  // namespace

HeaderList RequestHeaders(std::string_view block, std::string* cookieValue) {
    HeaderList list;
    const std::vector<std::string_view> lines = Lines(block);
    for (const std::string_view line : lines) {
        if (cookieValue != nullptr && HeaderNameIs(line, "Cookie")) {
            const std::size_t value = line.find_first_not_of(' ', 7);
            *cookieValue = value == std::string_view::npos ? "" : line.substr(value);
            continue;
        }
        std::string entry(line);
        // curl drops "Name:" with nothing after it; "Name;" is its way of sending it empty.
        const std::size_t colon = entry.find(':');
        if (colon != std::string::npos &&
            entry.find_first_not_of(' ', colon + 1) == std::string::npos) {
            entry = entry.substr(0, colon) + ";";
        }
        Append(list, entry);
    }
    for (const std::string_view own : {"Accept", "Content-Type", "Expect"}) {
        bool given = false;
        for (const std::string_view line : lines) {
            given = given || HeaderNameIs(line, own);
        }
        if (!given) {
            Append(list, std::string(own) + ":");
        }
    }
    return list;
}

}  // namespace wininet
