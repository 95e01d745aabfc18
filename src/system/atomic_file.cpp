// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

bool AtomicFileWriter::Open(const std::string& path, std::string* error)
{
    Discard();
    m_path = path;
    m_error = 0;
    std::vector<char> name(path.begin(), path.end());
    const char suffix[] = ".partXXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    m_fd = ::mkstemp(name.data());
    if (m_fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    m_temp = name.data();
    // mkstemp makes the file private; a saved list is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
    return true;
}

void AtomicFileWriter::Write(std::string_view text)
{
    while (m_fd >= 0 && m_error == 0 && !text.empty()) {
        const ssize_t n = ::write(m_fd, text.data(), text.size());
        if (n < 0) {
            if (errno != EINTR)
                m_error = errno;
            continue;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

bool AtomicFileWriter::Commit(std::string* error)
{
    if (m_fd < 0) {
        *error = "the file was not opened";
        return false;
    }
    if (m_error == 0 && ::fsync(m_fd) != 0)
        m_error = errno;
    if (::close(m_fd) != 0 && m_error == 0)
        m_error = errno;
    m_fd = -1;
    if (m_error == 0 && std::rename(m_temp.c_str(), m_path.c_str()) != 0)
        m_error = errno;
    if (m_error != 0) {
        *error = std::strerror(m_error);
        Discard();
        return false;
    }
    m_temp.clear();
    return true;
}

void AtomicFileWriter::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}
