// The few operating-system calls the plug-in makes. On Windows they are the
// real ones; elsewhere the host provides functions of the same names and
// signatures that keep each stand-in window's extended style and alpha.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#else
#include "SDKTypes.h"

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint32 DWORD;
typedef int32 LONG;
typedef DWORD COLORREF;
typedef wchar_t WCHAR;
typedef void* LPVOID;
typedef struct OpalWindow* HWND;
typedef struct OpalModule* HMODULE;
typedef HMODULE HINSTANCE;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define MAX_PATH 260
#define GWL_EXSTYLE (-20)
#define WS_EX_LAYERED 0x00080000L
#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#define SW_SHOWMAXIMIZED 3

extern "C" {
OPAL_SDK_API LONG GetWindowLongW(HWND window, int index);
OPAL_SDK_API LONG SetWindowLongW(HWND window, int index, LONG value);
OPAL_SDK_API BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags);
OPAL_SDK_API BOOL GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags);
OPAL_SDK_API DWORD GetModuleFileNameW(HMODULE module, WCHAR* buffer, DWORD size);
OPAL_SDK_API HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                                     const char* parameters, const char* directory, int show);
}
#endif
