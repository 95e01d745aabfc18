// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A window host that records what a window asks of it: the rectangles it
// invalidates, the cursor it wants, and a colour depth the test chooses.
#pragma once

#include <memory>
#include <vector>

#include "framework/fixed_metrics_dc.h"
#include "framework/wnd.h"

class RecordingHost : public WindowHost {
public:
    void InvalidateRect(const RECT* rc, bool erase) override
    {
        invalidated.push_back(rc ? *rc : RECT{-1, -1, -1, -1});
        erased.push_back(erase);
    }
    void UpdateWindow() override {}
    void ScrollInfoChanged(int) override {}
    void SetCursorShape(CursorShape shape) override { cursors.push_back(shape); }
    void SetFocus() override {}
    POINT ClientToScreen(POINT pt) const override { return pt; }
    POINT ScreenToClient(POINT pt) const override { return pt; }
    std::unique_ptr<CDC> CreateMeasureDC() override { return std::make_unique<FixedMetricsDC>(); }
    int ColourDepth() const override { return depth; }

    std::vector<RECT> invalidated; // {-1,-1,-1,-1} for the whole window
    std::vector<bool> erased;
    std::vector<CursorShape> cursors;
    int depth = 32;
};
