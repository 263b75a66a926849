// PushButton: one child control of the system BUTTON class, with an automatic control id, the
// letter after the "&" of its text, and its own address in the control's user data, so that a
// framework window reflects the control's WM_NOTIFY to it.
#pragma once

#include <windows.h>

#include "ui/reflected_control.h"

class PushButton : public ReflectedControl {
public:
    // The first automatic id, and the last: control ids travel in 16 bits of WM_COMMAND, so
    // after 0xFFFF the counter starts at kFirstAutomaticId again (the controls that had those
    // ids died with their boxes long before).
    static constexpr int kFirstAutomaticId = 900;
    static constexpr int kLastAutomaticId = 0xFFFF;

    // The click handler: called with the object given to SetClickHandler and the button's id.
    using ClickHandler = void (*)(void* object, int id);

    // With `subclass` nonzero, Create puts StaticControlProc in front of the control.
    explicit PushButton(int subclass = 0) : subclass_(subclass) {}
    ~PushButton() override = default;
    PushButton(const PushButton&) = delete;
    PushButton& operator=(const PushButton&) = delete;

    // Binds the object to a control of `parent`: a control that already has `id` is adopted
    // as it is; otherwise one is made with the text, place and size given. An id of 0 takes
    // the next automatic id. 1 when the object has a control afterwards, else 0.
    virtual int Create(HWND parent, int id, const char* text, int x, int y, int width, int height);
    // BN_CLICKED with a handler set: calls it and answers 1; otherwise 0.
    virtual int OnCommand(int notification, LPARAM lParam);
    virtual void ReservedHook(int value);
    // The answer to a WM_NOTIFY of the control: 0.
    LRESULT OnNotify(NMHDR* header) override;
    virtual void SetClickHandler(void* object, ClickHandler handler);
    // Every message of a subclassed control: passed on to the procedure it replaced.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The step of Create that finds or makes the control and stores the object in it.
    int AttachOrCreate(const char* className, HWND parent, const char* text, int x, int y,
                       int width, int height);
    // Installs `procedure` on the control, or StaticControlProc when it is null, keeping the
    // procedure it replaced for WindowProc.
    void Subclass(WNDPROC procedure);
    // Window procedure of a subclassed push button: hands the message to its object.
    static LRESULT CALLBACK StaticControlProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam);

    // The object behind a control made by Create (null when there is none); only for
    // controls that a PushButton made or adopted.
    static PushButton* FromControl(HWND control);

    // The next automatic id; shared by every push button for the life of the program.
    static int nextAutomaticId;

    HWND hwnd = nullptr;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    int id = 0;
    char mnemonic = 0;
    // The procedure a subclassing replaced; this control's own, so that any control works.
    WNDPROC previousProc = nullptr;

private:
    void* handlerObject_ = nullptr;
    ClickHandler handler_ = nullptr;
    int subclass_;
};
