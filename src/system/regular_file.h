// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Reading a file that has to be an ordinary file. A folder, a FIFO or a device
// is refused at once (opening never waits for a writer), and a whole-file read
// stops at a stated size instead of filling memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class FileProblem {
    kNone,
    kFolder,     // the name is a folder
    kNotRegular, // a FIFO, a device or a socket
    kTooLarge,   // more bytes than the reader accepts
    kSystem,     // the system's own error, in FileError::error
};

struct FileError {
    FileProblem problem = FileProblem::kNone;
    int error = 0; // errno, for kSystem
};

class RegularFile {
public:
    RegularFile() = default;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // False with the reason in Error().
    bool Open(const std::string& path);
    // Up to size bytes; 0 at the end; -1 on a failure (reason in Error()).
    long Read(char* buffer, std::size_t size);
    const FileError& Error() const { return m_error; }

private:
    int m_fd = -1;
    FileError m_error;
};

// The whole file when it is a regular file of at most maxBytes.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::vector<unsigned char>& data, FileError& error);
