// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A plain-text account of what the main frame shows: caption, status panes and
// the rows of its list view. Scripts and end-to-end tests read it.
#pragma once

#include <string>

class CFrameWnd;

std::string DescribeFrame(CFrameWnd& frame);
