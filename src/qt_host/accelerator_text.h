// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Keys of the accelerator tables as Qt knows them, and the key a menu item
// shows after its text, as desktop menus do.
#pragma once

#include <QKeySequence>
#include <QString>

#include "framework/resources.h"

// The key sequence of one accelerator, or an empty one for keys Qt is not told about.
QKeySequence SequenceFor(const AccelDef& accel);
// The menu text with the first key of the table that gives the command, after a tab.
QString WithShortcutText(const QString& text, UINT tableId, UINT command);
