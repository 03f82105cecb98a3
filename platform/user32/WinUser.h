#pragma once

// The window functions of user32 and kernel32 that the program uses, over the Qt window layer.
// Only this process's windows exist for them.

#include "platform/win32/WinBase.h"

using HWND = std::uint32_t;  // 0: no window
using LPDWORD = DWORD*;

inline constexpr UINT MB_OK = 0x00;
inline constexpr UINT MB_OKCANCEL = 0x01;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x02;
inline constexpr UINT MB_YESNOCANCEL = 0x03;
inline constexpr UINT MB_YESNO = 0x04;
inline constexpr UINT MB_RETRYCANCEL = 0x05;
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONINFORMATION = 0x40;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;

// A modal box owned by hWnd (0: unowned); returns the button pressed, or 0 when it cannot be
// shown. Texts are GBK.
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

// The next top-level window after hWndChildAfter (0: the topmost), in Z order; 0 after the last.
HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow);
BOOL IsWindow(HWND hWnd);
BOOL IsWindowVisible(HWND hWnd);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);
int GetWindowTextLengthA(HWND hWnd);
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount);
DWORD GetCurrentProcessId();
