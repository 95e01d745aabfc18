// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Shows a dialog of ours as a modal Qt dialog built from its template.
#pragma once

#include "framework/dialog.h"

class QWidget;

// Runs the dialog until its logic ends it; returns the dialog's result.
INT_PTR RunDialogModally(CDialog& dialog, QWidget* parent);
