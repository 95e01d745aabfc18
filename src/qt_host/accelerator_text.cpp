// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/accelerator_text.h"

#include "system/win_messages.h"

QKeySequence SequenceFor(const AccelDef& accel)
{
    int key = 0;
    if (accel.key >= 'A' && accel.key <= 'Z')
        key = Qt::Key_A + static_cast<int>(accel.key - 'A');
    else if (accel.key == VK_BACK)
        key = Qt::Key_Backspace;
    else if (accel.key == VK_DELETE)
        key = Qt::Key_Delete;
    else if (accel.key == VK_ESCAPE)
        key = Qt::Key_Escape;
    else if (accel.key == VK_INSERT)
        key = Qt::Key_Insert;
    else if (accel.key >= VK_F5 && accel.key <= VK_F6)
        key = Qt::Key_F5 + static_cast<int>(accel.key - VK_F5);
    else
        return {};
    int mods = 0;
    if (accel.fVirt & FCONTROL)
        mods |= Qt::CTRL;
    if (accel.fVirt & FSHIFT)
        mods |= Qt::SHIFT;
    if (accel.fVirt & FALT)
        mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

QString WithShortcutText(const QString& text, UINT tableId, UINT command)
{
    const AcceleratorTableDef* table = tableId != 0 ? AfxFindAccelerators(tableId) : nullptr;
    if (table == nullptr || command == 0 || text.contains(QLatin1Char('\t')))
        return text;
    for (const AccelDef& accel : table->entries) {
        if (accel.cmd != command)
            continue;
        const QKeySequence seq = SequenceFor(accel);
        if (!seq.isEmpty())
            return text + QLatin1Char('\t') + seq.toString(QKeySequence::NativeText);
    }
    return text;
}
