#pragma once

// The Windows Internet client as the program uses it: one session, one connection and one HTTP
// request at a time, synchronous. Names, argument order and values are the platform's. Failures
// return FALSE or a null handle and leave a reason for GetLastError().

#include "platform/win32/WinBase.h"

using HINTERNET = void*;
using INTERNET_PORT = WORD;
using DWORD_PTR = std::uintptr_t;
using LPDWORD = DWORD*;

inline constexpr DWORD INTERNET_OPEN_TYPE_PRECONFIG = 0;
inline constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;

inline constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;
inline constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
inline constexpr INTERNET_PORT INTERNET_DEFAULT_HTTPS_PORT = 443;
inline constexpr DWORD INTERNET_SERVICE_HTTP = 3;

inline constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
inline constexpr DWORD INTERNET_FLAG_SECURE = 0x00800000;
inline constexpr DWORD INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
inline constexpr DWORD INTERNET_FLAG_NO_COOKIES = 0x00080000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP = 0x00008000;
inline constexpr DWORD INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x00004000;
inline constexpr DWORD INTERNET_FLAG_NEED_FILE = 0x00000010;

inline constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;

inline constexpr DWORD ERROR_INTERNET_TIMEOUT = 12002;
inline constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;
inline constexpr DWORD ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
inline constexpr DWORD ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
inline constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
inline constexpr DWORD ERROR_INTERNET_CONNECTION_ABORTED = 12030;
inline constexpr DWORD ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR = 12039;
inline constexpr DWORD ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR = 12040;
inline constexpr DWORD ERROR_INTERNET_INVALID_CA = 12045;
inline constexpr DWORD ERROR_HTTP_HEADER_NOT_FOUND = 12150;
inline constexpr DWORD ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
inline constexpr DWORD ERROR_INTERNET_SECURE_FAILURE = 12175;

// `lpszProxy` lists entries separated by spaces: "http=host:port" serves plain requests only,
// "https=host:port" secure ones, a bare "host:port" every request. Secure requests tunnel
// through the proxy with CONNECT.
HINTERNET InternetOpenA(LPCSTR lpszAgent, DWORD dwAccessType, LPCSTR lpszProxy,
                        LPCSTR lpszProxyBypass, DWORD dwFlags);

// Port 0 is the scheme's default.
HINTERNET InternetConnectA(HINTERNET hInternet, LPCSTR lpszServerName, INTERNET_PORT nServerPort,
                           LPCSTR lpszUserName, LPCSTR lpszPassword, DWORD dwService, DWORD dwFlags,
                           DWORD_PTR dwContext);

HINTERNET HttpOpenRequestA(HINTERNET hConnect, LPCSTR lpszVerb, LPCSTR lpszObjectName,
                           LPCSTR lpszVersion, LPCSTR lpszReferrer, LPCSTR* lplpszAcceptTypes,
                           DWORD dwFlags, DWORD_PTR dwContext);

// Sends the request with exactly the header lines given (CRLF-separated; a length of -1 reads
// up to the terminator) and returns once the final answer's headers have arrived.
BOOL HttpSendRequestA(HINTERNET hRequest, LPCSTR lpszHeaders, DWORD dwHeadersLength,
                      LPVOID lpOptional, DWORD dwOptionalLength);

// Fills the buffer with the next bytes of the answer body; fewer only at its end, 0 after it.
BOOL InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
                      LPDWORD lpdwNumberOfBytesRead);

// HTTP_QUERY_RAW_HEADERS_CRLF: the status line and header lines of the final answer, each ended
// by CRLF, then an empty line and a terminator. A buffer too small is left as it was and the
// size needed is reported with ERROR_INSUFFICIENT_BUFFER.
BOOL HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer,
                    LPDWORD lpdwBufferLength, LPDWORD lpdwIndex);

BOOL InternetCloseHandle(HINTERNET hInternet);
