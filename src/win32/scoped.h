// Scope wrappers for every handle the Win32 layer takes: each object is released on every
// path out of the scope that took it, in the reverse order of taking.
#pragma once
#include <objbase.h>
#include <windows.h>

#include <utility>

namespace orv::win {

// A window's (or the screen's, for null) device context from GetDC.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context from CreateCompatibleDC.
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~ScopedMemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A GDI object (font, brush, pen, bitmap, region) owned until DeleteObject.
template <typename T>
class ScopedGdiObj {
 public:
  ScopedGdiObj() = default;
  explicit ScopedGdiObj(T object) : object_(object) {}
  ~ScopedGdiObj() { reset(); }
  ScopedGdiObj(ScopedGdiObj&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ScopedGdiObj& operator=(ScopedGdiObj&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T object_ = nullptr;
};
using ScopedFont = ScopedGdiObj<HFONT>;
using ScopedBrush = ScopedGdiObj<HBRUSH>;
using ScopedBitmap = ScopedGdiObj<HBITMAP>;

// An object selected into a DC; the DC's previous object goes back at the end.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// COM on this thread for the scope: uninitialised only when this scope's call succeeded
// (S_FALSE, already initialised, counts too and must be paired as well).
class ScopedCom {
 public:
  explicit ScopedCom(DWORD model = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
      : result_(CoInitializeEx(nullptr, model)) {}
  ~ScopedCom() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ScopedCom(const ScopedCom&) = delete;
  ScopedCom& operator=(const ScopedCom&) = delete;
  bool Joined() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// A COM interface pointer released at the end.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* p) : p_(p) {}
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() {
    reset();
    return &p_;
  }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

// A library from LoadLibraryW, freed at the end.
class ScopedLibrary {
 public:
  explicit ScopedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~ScopedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ScopedLibrary(const ScopedLibrary&) = delete;
  ScopedLibrary& operator=(const ScopedLibrary&) = delete;
  explicit operator bool() const { return module_ != nullptr; }
  // The named function, or null.
  template <typename F>
  F Get(const char* name) const {
    return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                   : nullptr;
  }

 private:
  HMODULE module_;
};

// Movable global memory, freed at the end unless handed on with release().
class ScopedGlobal {
 public:
  explicit ScopedGlobal(SIZE_T size) : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~ScopedGlobal() {
    if (memory_) GlobalFree(memory_);
  }
  ScopedGlobal(const ScopedGlobal&) = delete;
  ScopedGlobal& operator=(const ScopedGlobal&) = delete;
  HGLOBAL get() const { return memory_; }
  HGLOBAL release() { return std::exchange(memory_, nullptr); }
  explicit operator bool() const { return memory_ != nullptr; }

 private:
  HGLOBAL memory_;
};

}  // namespace orv::win
