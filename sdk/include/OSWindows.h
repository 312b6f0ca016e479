// The few operating-system calls the plug-in makes. On Windows they are the
// real ones; elsewhere the host provides functions of the same names and
// signatures that keep each stand-in window's extended style and alpha, and
// deliver the stand-in pointer's mouse messages to message hooks.
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
typedef struct OpalHook* HHOOK;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef unsigned int UINT;
typedef LRESULT (*HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG;

typedef struct tagTRACKMOUSEEVENT {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
} TRACKMOUSEEVENT;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define CALLBACK
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
#define WH_GETMESSAGE 3
#define HC_ACTION 0
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define WM_NCMOUSEMOVE 0x00A0
#define WM_MOUSEMOVE 0x0200
#define WM_NCMOUSELEAVE 0x02A2
#define WM_MOUSELEAVE 0x02A3
#define TME_LEAVE 0x00000002
#define TME_NONCLIENT 0x00000010
#define TME_CANCEL 0x80000000
#define GA_ROOT 2

extern "C" {
OPAL_SDK_API LONG GetWindowLongW(HWND window, int index);
OPAL_SDK_API LONG SetWindowLongW(HWND window, int index, LONG value);
OPAL_SDK_API BOOL SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags);
OPAL_SDK_API BOOL GetLayeredWindowAttributes(HWND window, COLORREF* key, BYTE* alpha, DWORD* flags);
OPAL_SDK_API DWORD GetModuleFileNameW(HMODULE module, WCHAR* buffer, DWORD size);
OPAL_SDK_API HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file,
                                     const char* parameters, const char* directory, int show);
OPAL_SDK_API HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadID);
OPAL_SDK_API BOOL UnhookWindowsHookEx(HHOOK hook);
OPAL_SDK_API LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
OPAL_SDK_API BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
OPAL_SDK_API HWND GetAncestor(HWND window, UINT flags);
OPAL_SDK_API BOOL IsWindow(HWND window);
OPAL_SDK_API DWORD GetCurrentThreadId();
}
#endif
