// Owners for GDI objects, icons and device contexts, beside ScopedHandle for kernel handles:
// each releases what it holds when it goes out of scope, so no early return can leak one. None
// can be copied; a copy would release twice.
#pragma once

#include "switching/scopedhandle.h"

#include <windows.h>

#include <utility>

namespace zark {

// An object that `Release` frees: a GDI object (bitmap, font) by DeleteObject, an icon
// that the program loaded at a size of its choosing by DestroyIcon.
template <typename T, auto Release>
class ScopedObject {
public:
    explicit ScopedObject(T object = nullptr) : object_(object) {}
    ~ScopedObject() {
        if (object_ != nullptr) Release(object_);
    }
    ScopedObject(const ScopedObject&) = delete;
    ScopedObject& operator=(const ScopedObject&) = delete;
    ScopedObject(ScopedObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ScopedObject& operator=(ScopedObject&& other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    T get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T object_;
};

using ScopedBitmap = ScopedObject<HBITMAP, DeleteObject>;
using ScopedFont = ScopedObject<HFONT, DeleteObject>;
using ScopedIcon = ScopedObject<HICON, DestroyIcon>;

// A memory device context compatible with `dc`, freed with DeleteDC.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ~ScopedMemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Selects an object into a device context and puts the previous one back, so that the
// object can be deleted afterwards without being selected anywhere.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context from GetDC, given back with ReleaseDC.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedWindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint in the constructor, EndPaint in the destructor, for WM_PAINT handlers.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace zark
