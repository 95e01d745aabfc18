// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "support/memory_search.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr std::size_t kChunk = 1 << 20;
// Larger mappings are reservations (the sanitizers' shadow), not buffers.
constexpr std::uint64_t kLargestMapping = 1ull << 30;

struct Mapping {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::string name;
};

std::vector<Mapping> WritableMappings()
{
    std::vector<Mapping> mappings;
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::string range, perms, offset, device, inode, name;
        fields >> range >> perms >> offset >> device >> inode;
        std::getline(fields >> std::ws, name);
        if (perms.size() < 2 || perms[0] != 'r' || perms[1] != 'w' || name == "[vvar]" || name == "[vsyscall]")
            continue;
        Mapping m;
        m.name = name.empty() ? "anonymous" : name;
        if (std::sscanf(range.c_str(), "%lx-%lx", reinterpret_cast<unsigned long*>(&m.begin),
                        reinterpret_cast<unsigned long*>(&m.end)) != 2 ||
            m.end - m.begin > kLargestMapping)
            continue;
        mappings.push_back(m);
    }
    return mappings;
}

bool Matches(const std::uint8_t* at, const std::vector<std::uint8_t>& masked, std::uint8_t mask)
{
    for (std::size_t j = 0; j < masked.size(); ++j)
        if ((at[j] ^ mask) != masked[j])
            return false;
    return true;
}

} // namespace

std::vector<std::string> FindInProcessMemory(const std::vector<std::uint8_t>& masked, std::uint8_t mask,
                                             std::string* error)
{
    std::vector<std::string> found;
    if (masked.empty())
        return found;
    const int mem = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    if (mem < 0) {
        *error = std::string("cannot open /proc/self/mem: ") + std::strerror(errno);
        return found;
    }
    // The chunks are read into a mapping of their own, which the search skips.
    const std::size_t bufferSize = kChunk + masked.size();
    void* mapped = ::mmap(nullptr, bufferSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        ::close(mem);
        *error = "cannot map a buffer";
        return found;
    }
    auto* buffer = static_cast<std::uint8_t*>(mapped);
    const auto own = reinterpret_cast<std::uint64_t>(buffer);
    const std::vector<Mapping> mappings = WritableMappings();
    for (const Mapping& m : mappings) {
        if (m.begin <= own && own < m.end)
            continue;
        // Chunks overlap by the secret's length less one, so none is missed at a seam.
        for (std::uint64_t at = m.begin; at < m.end; at += kChunk) {
            const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(bufferSize, m.end - at));
            const ssize_t got = ::pread(mem, buffer, wanted, static_cast<off_t>(at));
            if (got < static_cast<ssize_t>(masked.size()))
                continue;
            const std::uint8_t first = masked[0] ^ mask;
            for (std::size_t i = 0; i + masked.size() <= static_cast<std::size_t>(got); ++i) {
                const void* hit = std::memchr(buffer + i, first, static_cast<std::size_t>(got) - i);
                if (hit == nullptr)
                    break;
                i = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - buffer);
                if (i + masked.size() <= static_cast<std::size_t>(got) && i < kChunk &&
                    Matches(buffer + i, masked, mask)) {
                    char where[64];
                    std::snprintf(where, sizeof where, " at 0x%lx", static_cast<unsigned long>(at + i));
                    found.push_back(m.name + where);
                }
            }
        }
    }
    std::memset(buffer, 0, bufferSize);
    ::munmap(mapped, bufferSize);
    ::close(mem);
    return found;
}
