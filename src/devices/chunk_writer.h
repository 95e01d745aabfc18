// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Gathers output text and hands it on in chunks, so a long list is written in
// a few large writes instead of one per line; the rest goes when it ends.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace device {

class ChunkWriter {
public:
    using Sink = std::function<void(std::string_view)>;
    // Text is handed on once this much has gathered.
    static constexpr std::size_t kChunk = 16 * 1024;

    explicit ChunkWriter(const Sink& write) : m_write(write) {}
    ChunkWriter(const ChunkWriter&) = delete;
    ChunkWriter& operator=(const ChunkWriter&) = delete;
    ~ChunkWriter() { Flush(); }
    std::string& Text() { return m_text; }
    void Maybe()
    {
        if (m_text.size() >= kChunk)
            Flush();
    }
    void Flush()
    {
        if (!m_text.empty())
            m_write(m_text);
        m_text.clear();
    }

private:
    const Sink& m_write;
    std::string m_text;
};

} // namespace device
