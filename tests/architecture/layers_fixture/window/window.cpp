// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
int window_answer()
{
    return 1;
}
