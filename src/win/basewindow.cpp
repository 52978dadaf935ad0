#include "win/basewindow.h"

namespace zark {

bool registerClassOnce(HINSTANCE instance, const WindowDesign& design, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, design.className, &windowClass)) return true;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (windowClass.hCursor == nullptr) return false;
    // The colour's number plus one stands for the colour, and follows the player's colour scheme.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(design.background + 1));
    windowClass.lpszMenuName = design.menu != 0 ? MAKEINTRESOURCEW(design.menu) : nullptr;
    windowClass.lpszClassName = design.className;
    if (!loadClassIcons(instance, windowClass)) return false;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace zark
