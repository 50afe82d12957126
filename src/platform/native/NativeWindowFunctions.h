// Stand-in for the Windows window and dialog-item functions: windows with handles, dialogs made
// from a module's DIALOGEX template, and the few control behaviours the plug-in and the stand-in
// host use (combo-box lists and selection, check state, text, enabled and visible state,
// rectangles). Messages go straight to a dialog's procedure; there is no message queue.
#pragma once

#include "platform/native/NativeWindows.h"

struct HMENU__;
using HMENU = HMENU__*;
using DLGPROC = INT_PTR (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT;
using LPCRECT = const RECT*;

typedef struct tagMINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
} MINMAXINFO;

typedef struct tagNMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
} NMHDR;

typedef struct tagNMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
} NMUPDOWN;

typedef struct tagNMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
} NMLISTVIEW;

typedef struct tagWINDOWPOS {
    HWND hwnd;
    HWND hwndInsertAfter;
    int x;
    int y;
    int cx;
    int cy;
    UINT flags;
} WINDOWPOS;

#define LOWORD(value) ((WORD)(((std::uintptr_t)(value)) & 0xFFFF))
#define HIWORD(value) ((WORD)((((std::uintptr_t)(value)) >> 16) & 0xFFFF))
#define MAKELONG(low, high) ((LONG)(((WORD)(low)) | (((DWORD)((WORD)(high))) << 16)))
#define MAKEWPARAM(low, high) ((WPARAM)(DWORD)MAKELONG(low, high))
#define MAKELPARAM(low, high) ((LPARAM)(DWORD)MAKELONG(low, high))
#define MAKEINTRESOURCEW(id) ((LPCWSTR)((std::uintptr_t)((WORD)(id))))
#define IS_INTRESOURCE(name) ((((std::uintptr_t)(name)) >> 16) == 0)

#define IDCANCEL 2

#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CAPTION 0x00C00000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u

#define WM_DESTROY 0x0002u
#define WM_SIZE 0x0005u
#define WM_ACTIVATE 0x0006u
#define WM_CLOSE 0x0010u
#define WM_SHOWWINDOW 0x0018u
#define WM_GETMINMAXINFO 0x0024u
#define WM_WINDOWPOSCHANGING 0x0046u
#define WM_NOTIFY 0x004Eu
#define WM_INITDIALOG 0x0110u
#define WM_COMMAND 0x0111u
#define WM_TIMER 0x0113u
#define WM_USER 0x0400u

#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

#define BM_GETCHECK 0x00F0u
#define BM_SETCHECK 0x00F1u
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BN_CLICKED 0

#define CB_ERR (-1)
#define CB_ADDSTRING 0x0143u
#define CB_GETCOUNT 0x0146u
#define CB_GETCURSEL 0x0147u
#define CB_GETLBTEXT 0x0148u
#define CB_GETLBTEXTLEN 0x0149u
#define CB_RESETCONTENT 0x014Bu
#define CB_SETCURSEL 0x014Eu
#define CBN_SELCHANGE 1

#define EN_CHANGE 0x0300

// Notifications of the common controls, and what is read from them.
#define NM_DBLCLK ((UINT)-3)
#define LVN_ITEMCHANGED ((UINT)-101)
#define TVN_SELCHANGEDW ((UINT)-451)
#define TCN_SELCHANGE ((UINT)-551)
#define UDN_DELTAPOS ((UINT)-722)
#define TCM_GETCURSEL 0x130Bu
#define LVIF_STATE 0x0008u
#define LVIS_SELECTED 0x0002u
#define LVIS_STATEIMAGEMASK 0xF000u

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79

#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOACTIVATE 0x0010u
#define SWP_NOOWNERZORDER 0x0200u

#define GW_HWNDNEXT 2
#define GW_CHILD 5

#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002u
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004u

extern "C" {
// The module that holds an address (only FROM_ADDRESS look-ups). Code linked into the executable
// itself, as the plug-in's objects are in the unit tests, counts as the module registered under
// the plug-in's name "zrcalvex64.fxt".
NATIVE_API BOOL GetModuleHandleExW(DWORD flags, LPCWSTR name, HMODULE* module);

// A plain window; a child takes its ID from the menu argument. It has no procedure of its own.
NATIVE_API HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                                int x, int y, int width, int height, HWND parent, HMENU menu,
                                HINSTANCE instance, LPVOID parameter);
// A modeless dialog from the module's RT_DIALOG resource (numeric names only): created hidden,
// WM_INITDIALOG sent with the parameter, then shown when the template asks for WS_VISIBLE.
NATIVE_API HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                                   DLGPROC procedure, LPARAM parameter);
// Sends WM_DESTROY to a dialog's procedure, then destroys the window, its children and the
// windows it owns.
NATIVE_API BOOL DestroyWindow(HWND window);
NATIVE_API BOOL IsWindow(HWND window);

// A dialog's messages go to its procedure, whose result is returned; the controls answer their
// own messages (CB_*, BM_*); anything else yields 0.
NATIVE_API LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
NATIVE_API LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam,
                                       LPARAM lParam);
NATIVE_API LRESULT SendDlgItemMessageW(HWND dialog, int item, UINT message, WPARAM wParam,
                                       LPARAM lParam);

NATIVE_API HWND GetDlgItem(HWND dialog, int item);
NATIVE_API int GetDlgCtrlID(HWND window);
// A child's parent, or a popup's owner; null for other top-level windows.
NATIVE_API HWND GetParent(HWND window);
NATIVE_API HWND GetWindow(HWND window, UINT relation);

// Activation sends WM_ACTIVATE to the window losing it and to the window gaining it.
NATIVE_API HWND SetActiveWindow(HWND window);
NATIVE_API HWND GetActiveWindow();
NATIVE_API HWND SetFocus(HWND window);
NATIVE_API BOOL InvalidateRect(HWND window, LPCRECT rect, BOOL erase);

NATIVE_API BOOL EnableWindow(HWND window, BOOL enable);
NATIVE_API BOOL IsWindowEnabled(HWND window);
// Any command but SW_HIDE shows the window; a change of visibility sends WM_SHOWWINDOW, and
// showing a top-level window activates it.
NATIVE_API BOOL ShowWindow(HWND window, int command);
NATIVE_API BOOL IsWindowVisible(HWND window);

NATIVE_API BOOL GetWindowRect(HWND window, RECT* rect);
NATIVE_API BOOL GetClientRect(HWND window, RECT* rect);
// Moves and sizes; a dialog's procedure gets WM_WINDOWPOSCHANGING first and WM_SIZE when its
// size changed. Z order and activation are not modelled.
NATIVE_API BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                             UINT flags);
NATIVE_API BOOL ScreenToClient(HWND window, POINT* point);
// The stand-in's desktop is one screen of 1920 x 1080 pixels with its top-left corner at 0, 0;
// the virtual-screen metrics describe it, every other index answers 0.
NATIVE_API int GetSystemMetrics(int index);

// 8-bit text is Latin-1 here: each byte is one UTF-16 code unit and back ("?" when it has none).
// Setting the text of a single-line edit notifies its dialog with EN_CHANGE, as on Windows.
NATIVE_API BOOL SetWindowTextW(HWND window, LPCWSTR text);
NATIVE_API BOOL SetWindowTextA(HWND window, LPCSTR text);
NATIVE_API int GetWindowTextW(HWND window, LPWSTR text, int capacity);
NATIVE_API int GetWindowTextA(HWND window, LPSTR text, int capacity);
NATIVE_API int GetWindowTextLengthW(HWND window);
}
