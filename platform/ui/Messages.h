#pragma once
// Window messages: handles, message records and the message numbers the
// program posts and sends to its controls.
#include <cstdint>

using HWND = std::uintptr_t;  // 0 is no window
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// A queued message as the application-level hook sees it.
struct TMsg {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A message as a control's window procedure receives it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_USER = 0x0400;

// System commands (WM_SYSCOMMAND WParam). The low four bits of SC_SIZE
// name the edge dragged by the mouse (WMSZ_*); SC_MOVE with any low bits
// set moves the control with the mouse.
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM WMSZ_BOTTOM = 6;

// Queues a message for the control behind hwnd. Returns false when hwnd
// names no live control. May be called from any thread.
bool PostMessage(HWND hwnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Runs the control's window procedure at once (user-interface thread only)
// and returns its result; 0 when hwnd names no live control.
LRESULT SendMessage(HWND hwnd, UINT Msg, WPARAM wParam, LPARAM lParam);
