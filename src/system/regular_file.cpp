// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "system/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RegularFile::Open(const std::string& path)
{
    m_error = FileError{};
    // Without O_NONBLOCK opening a FIFO would wait for a writer.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) {
        m_error = FileError{FileProblem::kSystem, errno};
        return false;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        m_error = FileError{FileProblem::kSystem, errno};
    else if (S_ISDIR(st.st_mode))
        m_error.problem = FileProblem::kFolder;
    else if (!S_ISREG(st.st_mode))
        m_error.problem = FileProblem::kNotRegular;
    if (m_error.problem == FileProblem::kNone)
        return true;
    ::close(m_fd);
    m_fd = -1;
    return false;
}

long RegularFile::Read(char* buffer, std::size_t size)
{
    if (m_fd < 0) {
        m_error = FileError{FileProblem::kSystem, EBADF};
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0)
            return static_cast<long>(n);
        if (errno != EINTR) {
            m_error = FileError{FileProblem::kSystem, errno};
            return -1;
        }
    }
}

bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::vector<unsigned char>& data, FileError& error)
{
    data.clear();
    RegularFile file;
    if (!file.Open(path)) {
        error = file.Error();
        return false;
    }
    // The size is not trusted: a file may grow while it is read.
    char chunk[64 * 1024];
    for (;;) {
        const long n = file.Read(chunk, sizeof chunk);
        if (n < 0) {
            error = file.Error();
            data.clear();
            return false;
        }
        if (n == 0)
            break;
        if (data.size() + static_cast<std::size_t>(n) > maxBytes) {
            error = FileError{FileProblem::kTooLarge, 0};
            data.clear();
            return false;
        }
        data.insert(data.end(), chunk, chunk + n);
    }
    error = FileError{};
    return true;
}
