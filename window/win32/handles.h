// Owners of Win32 handles and of paired calls, so that no path through the
// window code leaks a handle or leaves a DC or the clipboard in a changed state.
#pragma once

#include <windows.h>

#include <utility>

namespace kestrava::win32 {

// Owns a handle and closes it with `Close`, like WIL's unique_any.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) Close(handle_);
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, nullptr); }

private:
    Handle handle_ = nullptr;
};

using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;

// BeginPaint ... EndPaint for one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC for the scope, the previous one selected back after.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The clipboard held open for the scope, if OpenClipboard succeeded.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

}  // namespace kestrava::win32
