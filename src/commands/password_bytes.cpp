// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/password_bytes.h"

#include <algorithm>

bool PasswordBytes::Assign(std::string_view text)
{
    Wipe();
    if (text.size() > m_bytes.size())
        return false;
    std::copy(text.begin(), text.end(), m_bytes.begin());
    m_length = text.size();
    return true;
}

void PasswordBytes::Wipe()
{
    volatile char* p = m_bytes.data();
    for (std::size_t i = 0; i < m_bytes.size(); ++i)
        p[i] = 0;
    m_length = 0;
}
