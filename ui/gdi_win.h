#pragma once
// Owners for the platform's handles: each releases its handle in its
// destructor and cannot be copied, so every handle is created and released in
// one scope.

#include <windows.h>

#include <utility>

// Owns one handle; Release is the platform's release function for it.
template <class H, auto Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, H{}));
    return *this;
  }
  ~Owned() { reset(); }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{}; }
  void reset(H handle = H{}) {
    if (handle_ != H{}) Release(handle_);
    handle_ = handle;
  }
  H release() { return std::exchange(handle_, H{}); }

 private:
  H handle_{};
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }

using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedPen = Owned<HPEN, DeleteGdiObject>;
using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedRegion = Owned<HRGN, DeleteGdiObject>;
using OwnedMemoryDc = Owned<HDC, DeleteMemoryDc>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedHandle = Owned<HANDLE, CloseKernelHandle>;

// A DC from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A DC of the whole window, frame included (GetWindowDC), given back with
// ReleaseDC.
class WholeWindowDc {
 public:
  explicit WholeWindowDc(HWND window) : window_(window), dc_(::GetWindowDC(window)) {}
  WholeWindowDc(const WholeWindowDc&) = delete;
  WholeWindowDc& operator=(const WholeWindowDc&) = delete;
  ~WholeWindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { ::EndPaint(window_, &ps_); }
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An off-screen copy of a DC's area: draw into dc(), then the destructor
// copies the whole area to the target in one step.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, const RECT& area)
      : target_(target),
        area_(area),
        dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        selection_(dc_.get(), bitmap_.get()) {
    ::SetWindowOrgEx(dc_.get(), area.left, area.top, nullptr);
  }
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;
  ~BufferedPaint() {
    ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(),
             area_.left, area_.top, SRCCOPY);
  }
  HDC dc() const { return dc_.get(); }

 private:
  HDC target_;
  RECT area_;
  OwnedMemoryDc dc_;
  OwnedBitmap bitmap_;
  Selection selection_;
};
