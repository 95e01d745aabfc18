// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// The Qt widget a dialog or menu opened for one of our windows belongs to.
#pragma once

class CWnd;
class QWidget;

// The widget hosting wnd or its nearest hosted parent; else the active window.
QWidget* DialogParentFor(CWnd* wnd);
