// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
int gui_answer()
{
    return 1;
}
