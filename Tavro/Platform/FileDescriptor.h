#pragma once

#include <unistd.h>

namespace tavro {

// Owns a file descriptor (a socket, say) and closes it when it goes; a negative one is none.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace tavro
