// SPDX-License-Identifier: MIT
// The one window base of the Windows front-end: the object's pointer travels with its window
// (set at WM_NCCREATE, kept in GWLP_USERDATA), and every message goes to the object's one
// handler. The windows are of a private dialog class, so the dialog manager's own defaults
// (Tab, arrows, access keys, the default button) apply to them.
#pragma once

#include <windows.h>

namespace vornikat::win32 {

template <typename T>
class BaseWindow {
  public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND Handle() const { return hwnd_; }

  protected:
    ~BaseWindow() = default;

    // Registers the window class on first use; the class name is the derived type's.
    static bool RegisterClassOnce(HINSTANCE instance, HICON icon) {
        WNDCLASSEXW wc{};
        if (GetClassInfoExW(instance, T::kClassName, &wc)) {
            return true;
        }
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &BaseWindow::WindowProc;
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = T::kClassName;
        return RegisterClassExW(&wc) != 0;
    }

    HWND CreateBase(HINSTANCE instance, DWORD exStyle, LPCWSTR title, DWORD style, int x, int y,
                    int width, int height, HWND owner) {
        return CreateWindowExW(exStyle, T::kClassName, title, style, x, y, width, height, owner,
                               nullptr, instance, static_cast<T*>(this));
    }

    // What the handler leaves alone.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefDlgProcW(hwnd_, message, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        T* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<T*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return DefDlgProcW(hwnd, message, wParam, lParam);
        }
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }

    HWND hwnd_ = nullptr;
};

}  // namespace vornikat::win32
