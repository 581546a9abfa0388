#pragma once
// Owns a file descriptor: a file, a socket or a lock, closed when its owner goes.

#include <unistd.h>

#include <utility>

namespace tavro {

// A negative descriptor is none.
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
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) { }
    // The descriptor held before goes with `other`.
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }

    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace tavro
