// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Texts cross into Qt here. Our texts are bytes (device names come straight
// off the wire), so showing them must not lose a byte: valid UTF-8 shows as
// it is, any other byte as the Latin-1 character of the same value.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString TextFromBytes(std::string_view bytes);
std::string BytesFromText(const QString& text);
