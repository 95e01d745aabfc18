// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
int main()
{
    return 0;
}
