#pragma once
// Holds a process activity for as long as the object lives; dropping it ends the activity.

#include <QtGlobal>

namespace tavro {

class AppActivityAssertion
{
public:
    explicit AppActivityAssertion(quint64 token) : m_token(token) { }
    ~AppActivityAssertion();

    AppActivityAssertion(const AppActivityAssertion&) = delete;
    AppActivityAssertion& operator=(const AppActivityAssertion&) = delete;

    quint64 token() const { return m_token; }

private:
    quint64 m_token;
};

} // namespace tavro
