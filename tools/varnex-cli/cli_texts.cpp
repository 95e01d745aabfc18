// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "cli_texts.h"

#include <cstdio>

#include "res/text/strings.h"
#include "system/utf8_text.h"
#include "system/win_messages.h"

namespace cli {

std::string TooLongMessage(std::size_t limit)
{
    std::string text = res::LoadText(AFX_IDP_PARSE_STRING_SIZE);
    const std::string number = std::to_string(limit);
    for (std::size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + number.size()))
        text.replace(at, 2, number);
    return text;
}

} // namespace cli
