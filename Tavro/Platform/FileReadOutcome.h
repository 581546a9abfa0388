#pragma once
// Stands for the outcome of reading one file: its bytes, or why the system would not hand them over.

#include <QByteArray>

namespace tavro {

class FileReadOutcome
{
public:
    enum class Kind {
        data,       // the file's bytes
        denied,     // the system refused access (EPERM or EACCES)
        missing,    // no such file (ENOENT or ENOTDIR)
        unreadable, // any other failure
    };

    static FileReadOutcome data(QByteArray bytes) { return FileReadOutcome(Kind::data, std::move(bytes)); }
    static FileReadOutcome denied() { return FileReadOutcome(Kind::denied); }
    static FileReadOutcome missing() { return FileReadOutcome(Kind::missing); }
    static FileReadOutcome unreadable() { return FileReadOutcome(Kind::unreadable); }
    // The failure an errno from opening a file stands for.
    static FileReadOutcome fromErrno(int error);

    Kind kind() const { return m_kind; }
    // The file's bytes; empty unless the kind is `data`.
    const QByteArray& bytes() const { return m_bytes; }

    bool operator==(const FileReadOutcome&) const = default;

private:
    explicit FileReadOutcome(Kind kind, QByteArray bytes = {}) : m_kind(kind), m_bytes(std::move(bytes)) { }

    Kind m_kind;
    QByteArray m_bytes;
};

} // namespace tavro
