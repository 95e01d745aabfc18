// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The list demo's application: one frame whose only view is the demo list.
#pragma once

#include "framework/document.h"
#include "framework/win_app.h"

class CListDemoDoc : public CDocument {
public:
    void Serialize(bool, std::vector<unsigned char>&) override {}
};

class CListDemoApp : public CWinApp {
public:
    CListDemoApp() : CWinApp("Varnex list demo") {}
    BOOL InitInstance() override;
};
