// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// A plain-text account of what the main frame shows: caption, status panes,
// the rows of its list view, and the overlay and tip of the rows that have
// one. Scripts and end-to-end tests read it.
#pragma once

#include <string>

class CFrameWnd;

std::string DescribeFrame(CFrameWnd& frame);
// The report of an unattended run into path: what the frame shows, when there
// is one, then a line "message\t<text>" for each message box answered on the
// way. False when it could not be written.
bool WriteReport(const std::string& path, CFrameWnd* frame);
