// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The services a window program needs from its surroundings: the event loop's
// timers and socket notifications, the clock, message boxes and modal dialogs.
// The Qt host provides the real ones; tests install scripted ones.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "system/win_types.h"

class CWnd;

class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Window timers: after ms milliseconds, and every ms after that, the window
    // receives WM_TIMER with the id, until the timer is killed. Setting an id
    // that runs restarts it with the new period.
    virtual void SetTimer(CWnd* wnd, UINT_PTR id, UINT ms) = 0;
    virtual void KillTimer(CWnd* wnd, UINT_PTR id) = 0;
    virtual void KillAllTimers(CWnd* wnd) = 0;
    // Calls onReadable from the loop whenever the descriptor has data.
    virtual void WatchReadable(int fd, std::function<void()> onReadable) = 0;
    virtual void Unwatch(int fd) = 0;
    // Blocks the thread: no message is handled meanwhile.
    virtual void Sleep(UINT ms) = 0;
    // Milliseconds on a clock that only moves forward.
    virtual std::uint64_t NowMs() const = 0;
    // Whether the loop can run at all.
    virtual bool Startup() { return true; }
    // Ends the loop after the current message.
    virtual void Quit() {}
};

class CDC;
class CDialog;
struct MenuItemDef;

class UserInterface {
public:
    static constexpr INT_PTR IDCANCEL_RESULT = 2;
    virtual ~UserInterface() = default;
    // A modal message box; returns IDOK, IDCANCEL, ...
    virtual int MessageBox(const std::string& text, const std::string& caption, UINT type) = 0;
    // A pop-up menu at screen point (x, y); the chosen command reaches owner as
    // WM_COMMAND. The menu's items are asked for their state through owner first.
    virtual void TrackPopupMenu(const MenuItemDef& popup, int x, int y, CWnd* owner) = 0;
    // Current mouse position in screen coordinates.
    virtual POINT GetCursorPos() const = 0;
    // Shows a dialog modally until it ends; returns its result (IDOK, IDCANCEL).
    virtual INT_PTR RunModalDialog(CDialog& dialog)
    {
        (void)dialog;
        return IDCANCEL_RESULT;
    }
    // The file dialogs; an empty result when the user cancelled.
    virtual std::string GetOpenFileName(const std::string& title, const std::string& filter)
    {
        (void)title;
        (void)filter;
        return {};
    }
    virtual std::string GetSaveFileName(const std::string& title, const std::string& filter)
    {
        (void)title;
        (void)filter;
        return {};
    }
    // The save dialog offering file types ("CSV files (*.csv);;JSON files (*.json)"),
    // opening in the folder of suggestedName when it names one: the path and
    // the type the user chose; an empty path when cancelled.
    struct SaveFileChoice {
        std::string path;
        std::string filter;
    };
    virtual SaveFileChoice ChooseSaveFile(const std::string& title, const std::string& filters,
                                          const std::string& suggestedName)
    {
        (void)suggestedName;
        return SaveFileChoice{GetSaveFileName(title, filters), {}};
    }
    // Puts text on the clipboard; false when there is no clipboard to put it on.
    virtual bool SetClipboardText(const std::string& text)
    {
        (void)text;
        return false;
    }
};

// A print job as the framework's print command runs it.
struct PrintJob {
    std::string documentName;
    int fromPage = 1;
    int toPage = 0xFFFF;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // Shows the print dialog (a printer or a PDF file); returns the printer's
    // device context, or nullptr when the user cancelled.
    virtual std::unique_ptr<CDC> BeginPrinting(CWnd* owner, PrintJob& job) = 0;
    // The printer set-up dialog.
    virtual void PrintSetup(CWnd* owner) = 0;
};

// Where the program is and who answers it. Set once by the host (or a test).
struct PlatformServices {
    EventLoop* loop = nullptr;
    UserInterface* ui = nullptr;
    PrintService* printing = nullptr;
};

PlatformServices& Platform();
