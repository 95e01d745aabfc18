// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The application: start-up in the order the program needs, and the About box.
#pragma once

#include "framework/win_app.h"

class CVarnexView;

class CVarnexApp : public CWinApp {
public:
    CVarnexApp();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL InitInstance() override;
    // The device list of the open document; null before it is made.
    CVarnexView* GetDeviceView() const;

protected:
    void OnAppAbout();
};
