// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/wire_text.h"

#include <cstddef>
#include <cstdint>

#include "system/utf8_text.h"

QString TextFromBytes(std::string_view bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const std::size_t len = Utf8SequenceLength(bytes, i, &cp);
        if (len == 0) {
            out.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            out.append(QChar(static_cast<char16_t>(0xD800 + (v >> 10))));
            out.append(QChar(static_cast<char16_t>(0xDC00 + (v & 0x3FF))));
        } else {
            out.append(QChar(static_cast<char16_t>(cp)));
        }
        i += len;
    }
    return out;
}

std::string BytesFromText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}
