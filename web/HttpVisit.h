#pragma once

// One complete HTTP or HTTPS exchange; every network access of the program goes through it.

#include <cstddef>

#include "runtime/Text.h"

namespace web {

using runtime::Bytes;
using runtime::Text;

// The most bytes of an answer that one visit holds, as for pictures: a longer answer ends the
// visit there, as a broken connection does, with the bytes read so far.
inline constexpr std::size_t kMaxAnswerBytes = 256u * 1024 * 1024;

// The methods `HttpVisit` knows.
inline constexpr int kGet = 0;
inline constexpr int kPost = 1;
inline constexpr int kHead = 2;

// Returns the answer body, whatever the status; empty when nothing could be read. `method`: 0 GET,
// 1 POST, 2 HEAD, anything else GET. A null pointer omits a by-reference parameter:
// - `sendCookies` given (even empty) turns the client's own cookie store off for this request and
//   is sent as the Cookie line; afterwards it holds the sent cookies merged with the answer's.
// - `returnedCookies` receives the answer's cookies («name=value; ...», merged as above when
//   `sendCookies` was given); `returnedHeaders` the raw header block of the answer.
// - `headers` (CRLF-separated lines) is completed with the default lines in place.
// - `postBytes` is the body of a POST or HEAD; when empty it receives the bytes of `postText`.
// - `proxy` ("host:port") carries the request; empty: a direct connection.
// When no request could be opened at all, no by-reference parameter is touched.
Bytes HttpVisit(const Text& url, int method = kGet, const Text& postText = {},
                Text* sendCookies = nullptr, Text* returnedCookies = nullptr,
                Text* headers = nullptr, Text* returnedHeaders = nullptr, bool noRedirect = false,
                Bytes* postBytes = nullptr, const Text& proxy = {});

}  // namespace web
