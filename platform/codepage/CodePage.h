#pragma once

// Code-page conversion for code pages 936 (GBK), 65001 (UTF-8) and 0 (the ANSI code page, which
// is 936 here). A length of -1 takes the input up to and including its terminator; a null or
// zero-sized output asks for the size. Input that cannot be converted is replaced, with U+FFFD
// on the way in and the default character ("?") on the way out.

#include "platform/win32/WinBase.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_GBK = 936;
inline constexpr UINT CP_UTF8 = 65001;

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWCH lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCCH lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);
