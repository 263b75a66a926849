// Window: base class of the program's own top-level windows. One window procedure serves
// every framework class; it finds the object behind a window handle and calls the handler
// named after the message.
#pragma once

#include <windows.h>

#include <cstdint>

class Window {
public:
    Window() = default;
    virtual ~Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The window procedure registered for every framework window class.
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Creates the Win32 window of this object unless it has one. 1 when the object has a
    // window afterwards, else 0.
    int CreateHandle(const char* className, HWND parent, int id, const char* title, int x, int y,
                     int width, int height);
    // Destroys the window: 1 and no handle afterwards, or 0 when DestroyWindow refused.
    int Destroy();

    // A generic creation that no concrete window uses: warns "Missing Create" and gives 0.
    virtual int Create(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                       std::uint32_t, std::uint32_t);
    // Called just before RegisterClassA by the windows that choose to.
    virtual void PreRegisterClass(WNDCLASSA& windowClass);
    virtual void ReservedHook(std::uint32_t value);
    // Calls the handler of `message`.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The last step of WM_DESTROY.
    virtual void AfterDestroy();
    // Every message without a handler of its own; nonzero when it was handled.
    virtual int OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Registers the window class of the concrete window once per process; 1 when this call
    // registered it.
    virtual int RegisterWindowClass() = 0;
    virtual int Cleanup();

    virtual void OnChar(WPARAM wParam, LPARAM lParam);
    virtual void OnClose();
    virtual void OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnContextMenu(WPARAM wParam, LPARAM lParam);
    // Nonzero lets the window be created; 0 refuses.
    virtual int OnCreate();
    virtual HBRUSH OnCtlColorListBox(WPARAM wParam, LPARAM lParam);
    virtual void OnDestroy();
    virtual void OnDrawItem(WPARAM wParam, LPARAM lParam);
    virtual void OnDropFiles(WPARAM wParam);
    virtual void OnEndSession(WPARAM wParam, LPARAM lParam);
    virtual void OnInitMenu();
    virtual void OnKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnKillFocus();
    virtual void OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    virtual int OnMenuSelect(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseWheel(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY from a control that carries no object of its own.
    virtual void OnNotify(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint();
    virtual int OnQueryEndSession();
    virtual void OnRButtonDown(WPARAM wParam, LPARAM lParam);
    virtual void OnRButtonUp(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus();
    virtual void OnSize(WPARAM wParam, LPARAM lParam);
    virtual void OnSysColorChange();
    virtual void OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    virtual void OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(WPARAM timerId);
    virtual int OnVKeyToItem(WPARAM wParam);
    virtual void OnVScroll(WPARAM wParam, LPARAM lParam);

    HWND hwnd = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;

protected:
    // Registers `className` for StaticWindowProc unless `registered` says it is already; sets
    // `registered` only when RegisterClassA succeeds. With `callHook`, PreRegisterClass sees
    // the class record first. 1 when this call registered the class.
    int RegisterClassOnce(const char* className, bool& registered, bool callHook);
};

// Installs `procedure` as the window procedure of `window` and returns the one it replaced;
// null, changing nothing, when there is no window or no procedure.
WNDPROC SubclassWindow(HWND window, WNDPROC procedure);

// Centres `window` on its owner (on the full-screen area without one), keeping its size.
void CenterWindow(HWND window);
