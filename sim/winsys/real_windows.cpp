#include "sim/winsys/real_windows.h"

#if defined(_WIN32)
#include <string>
#include <thread>

namespace sim {

namespace {

constexpr wchar_t kWindowClass[] = L"VexaSimWindow";

HWND createWindow(const wchar_t* title) {
    return CreateWindowExW(0, kWindowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RealWindows makeWindows() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);

    // The windows live on a desktop of the process's own: there is one foreground window per
    // desktop, and processes running side by side (tests) must not take it from each other.
    // Where the thread cannot move (it has windows already), the windows share the desktop.
    const std::wstring name = L"VexaSim-" + std::to_wstring(GetCurrentProcessId());
    HDESK desktop = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (desktop != nullptr && !SetThreadDesktop(desktop)) {
        CloseDesktop(desktop);
        desktop = nullptr;
    }

    RealWindows windows;
    windows.main = createWindow(L"Vexa");
    windows.mainThread = GetCurrentThreadId();
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread([&windows, ready, desktop] {
        if (desktop != nullptr) {
            SetThreadDesktop(desktop);
        }
        windows.other = createWindow(L"Terminal");
        windows.otherThread = GetCurrentThreadId();
        SetEvent(ready);  // windows is the caller's until here
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
    }).detach();
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    // The other window starts in the foreground, as a terminal would be before the host.
    bringToForegroundAndWait(windows.other);
    return windows;
}

}  // namespace

const RealWindows& realWindows() {
    static const RealWindows windows = makeWindows();
    return windows;
}

void pumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void bringToForegroundAndWait(HWND window) {
    SetForegroundWindow(window);
    for (int waited = 0; waited < 100 && GetForegroundWindow() != window; ++waited) {
        pumpWaitingMessages();
        Sleep(10);
    }
}

}  // namespace sim
#endif
