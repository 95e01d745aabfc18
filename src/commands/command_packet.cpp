// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "commands/command_packet.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

COMMAND_PACKET MakeCommandPacket(std::uint8_t code)
{
    COMMAND_PACKET packet;
    std::memset(&packet, 0, sizeof packet);
    std::memcpy(packet.magic, packet::kMagic, sizeof packet.magic);
    packet.command = code;
    return packet;
}

bool SetPacketPassword(COMMAND_PACKET& packet, std::string_view password)
{
    if (password.size() > sizeof packet.password)
        return false;
    std::memset(packet.password, 0, sizeof packet.password);
    std::memcpy(packet.password, password.data(), password.size());
    return true;
}

packet::Bytes PacketBytes(const COMMAND_PACKET& packet)
{
    packet::Bytes bytes{};
    std::memcpy(bytes.data(), &packet, sizeof packet);
    return bytes;
}

COMMAND_PACKET PacketFromBytes(const packet::Bytes& bytes)
{
    COMMAND_PACKET packet;
    std::memcpy(&packet, bytes.data(), sizeof packet);
    return packet;
}

namespace {

// Splits text at runs of sep; empty pieces are skipped. Calls convert for each
// piece in order, and stores the low 8 bits while there is room.
template <class Convert>
int ParsePieces(std::string_view text, char sep, std::uint8_t* dest, int count, Convert convert)
{
    for (int i = 0; i < count; ++i)
        dest[i] = 0;
    int pieces = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == sep)
            ++pos;
        if (pos >= text.size())
            break;
        const std::size_t end = text.find(sep, pos);
        const std::string piece(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (pieces < count)
            dest[pieces] = static_cast<std::uint8_t>(convert(piece) & 0xFF);
        ++pieces;
        if (end == std::string_view::npos)
            break;
        pos = end;
    }
    return pieces;
}

} // namespace

int ParseDottedBytes(std::string_view text, std::uint8_t* dest, int count)
{
    return ParsePieces(text, '.', dest, count, [](const std::string& s) {
        // As atoi: leading blanks and a sign, digits until the first non-digit;
        // the value wraps to its low bits as the original's int conversion did.
        return static_cast<long>(std::strtol(s.c_str(), nullptr, 10));
    });
}

int ParseMacBytes(std::string_view text, std::uint8_t* dest, int count)
{
    return ParsePieces(text, '-', dest, count,
                       [](const std::string& s) { return std::strtol(s.c_str(), nullptr, 16); });
}

bool IsWellFormedMac(std::string_view text)
{
    int groups = 0;
    std::size_t pos = 0;
    while (true) {
        int digits = 0;
        while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos]))) {
            ++digits;
            ++pos;
        }
        if (digits < 1 || digits > 2)
            return false;
        ++groups;
        if (pos == text.size())
            return groups == 6;
        if (text[pos] != '-' || groups == 6)
            return false;
        ++pos;
    }
}
