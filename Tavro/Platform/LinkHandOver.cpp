#include "Tavro/Platform/LinkHandOver.h"

#include "Tavro/Platform/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>

namespace tavro::LinkHandOver {

namespace {

using Clock = std::chrono::steady_clock;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c);
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
        return p == (t >= 'A' && t <= 'Z' ? char(t - 'A' + 'a') : t);
    });
}

// `text` split at each `separator`, empty parts kept.
std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// A decimal number of one to `digits` digits, no leading zero, at most `maximum`.
bool isNumber(std::string_view text, std::size_t digits, int maximum)
{
    if (text.empty() || text.size() > digits || (text.size() > 1 && text.front() == '0'))
        return false;
    if (!std::all_of(text.begin(), text.end(), isDigit))
        return false;
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value <= maximum;
}

// A label of a host name, as the rules for host names have it. Hyphens in its third and fourth
// places mark an encoded international name, which only an IDNA reader can check.
bool isDomainLabel(std::string_view label)
{
    return !label.empty() && label.size() <= 63
        && std::all_of(label.begin(), label.end(), [](char c) { return isLetterOrDigit(c) || c == '-'; })
        && label.front() != '-' && label.back() != '-' && (label.size() < 4 || label.substr(2, 2) != "--");
}

// A host name whose last label is no number, or four decimal numbers up to 255: what looks like an
// address but is none is Qt's to judge.
bool isPlainDomainOrAddress(std::string_view host)
{
    const std::vector<std::string_view> labels = split(host, '.');
    if (labels.size() == 4
        && std::all_of(labels.begin(), labels.end(), [](std::string_view label) { return isNumber(label, 3, 255); })) {
        return true;
    }
    return host.size() <= 253 && std::all_of(labels.begin(), labels.end(), isDomainLabel)
        && !std::all_of(labels.back().begin(), labels.back().end(), isDigit);
}

// A path, query and fragment in their strict form: nothing but the characters a URL holds as they
// are, a "%" before two hex digits, and at most one "#".
bool isPlainRest(std::string_view rest)
{
    static constexpr std::string_view kOtherCharacters = "-._~!$&'()*+,;=:@/?";
    bool inFragment = false;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '%') {
            if (i + 2 >= rest.size() || !isHexDigit(rest[i + 1]) || !isHexDigit(rest[i + 2]))
                return false;
            i += 2;
        } else if (c == '#' && !inFragment) {
            inFragment = true;
        } else if (!isLetterOrDigit(c) && kOtherCharacters.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

long long millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return std::max<long long>(0, left.count());
}

// A socket connected to this user's listener at `socketPath`. Nobody listening (no file, or a
// file left by a Tavro that died) is `noRunningInstance`. A listener whose queue of connections
// is full keeps the connection waiting until `deadline`, then it is `unanswered`.
[[nodiscard]] std::expected<FileDescriptor, LinkIntakeError> connectTo(
    const std::string& socketPath, Clock::time_point deadline)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof(address.sun_path))
        return std::unexpected(LinkIntakeError::socketUnavailable);
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return std::unexpected(LinkIntakeError::socketUnavailable);
    // A local connect waits as long as the send time-out allows.
    const long long waitMs = std::max<long long>(1, millisecondsLeft(deadline));
    const timeval wait{static_cast<time_t>(waitMs / 1000), static_cast<suseconds_t>(waitMs % 1000 * 1000)};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof(wait));
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        return std::unexpected(
            errno == EAGAIN || errno == EINTR ? LinkIntakeError::unanswered : LinkIntakeError::noRunningInstance);
    }
    // Links can be private: they go to no other user's program, whoever put it at this path.
    if (!peerIsThisUser(fd.get()))
        return std::unexpected(LinkIntakeError::foreignListener);
    return fd;
}

bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(millisecondsLeft(deadline)));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Writes the request, as much of it as the listener takes before `deadline`. One that stops
// taking it has refused it, and says so in its answer, or is gone: the answer tells which.
void sendRequest(int fd, std::string_view request, Clock::time_point deadline)
{
    std::size_t written = 0;
    while (written < request.size() && waitFor(fd, POLLOUT, deadline)) {
        const ssize_t n = ::send(fd, request.data() + written, request.size() - written, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        written += std::size_t(n);
    }
}

// The listener's one-line answer. The connection ended before its first byte: a Tavro that is
// ending (it still queues connections, then drops them) or none at all.
[[nodiscard]] std::expected<std::string, LinkIntakeError> readReply(int fd, Clock::time_point deadline)
{
    std::string reply;
    while (reply.find('\n') == std::string::npos) {
        if (!waitFor(fd, POLLIN, deadline))
            return std::unexpected(LinkIntakeError::unanswered);
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            return std::unexpected(reply.empty() ? LinkIntakeError::noRunningInstance : LinkIntakeError::unanswered);
        }
        reply.append(buffer, std::size_t(n));
    }
    return reply.substr(0, reply.find('\n') + 1);
}

// What keeps links from being handed over or taken, in words.
std::string_view description(LinkIntakeError error)
{
    switch (error) {
    case LinkIntakeError::noRunningInstance:
        return "Tavro is not running";
    case LinkIntakeError::unanswered:
        return "Tavro is running but did not take the links";
    case LinkIntakeError::socketUnavailable:
        return "the link socket could not be opened";
    case LinkIntakeError::heldByAnotherTavro:
        return "a Tavro holds the link socket and does not answer";
    case LinkIntakeError::foreignListener:
        return "the link socket belongs to another user; no links were handed over";
    }
    return {};
}

} // namespace

std::string failureLine(LinkIntakeError error, std::string_view socketPath)
{
    std::string line = "Tavro: " + std::string(description(error));
    if (error == LinkIntakeError::socketUnavailable || error == LinkIntakeError::foreignListener)
        line += " (" + std::string(socketPath) + ")";
    return line + '\n';
}

bool isPlainWebLink(std::string_view argument)
{
    std::size_t schemeLength = 0;
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (startsWithNoCase(argument, scheme))
            schemeLength = scheme.size();
    }
    if (schemeLength == 0)
        return false;
    const std::string_view afterScheme = argument.substr(schemeLength);
    const std::size_t authorityLength = std::min(afterScheme.find_first_of("/?#"), afterScheme.size());
    const std::string_view authority = afterScheme.substr(0, authorityLength);
    const std::size_t colon = authority.find(':');
    if (colon != std::string_view::npos && !isNumber(authority.substr(colon + 1), 5, 65535))
        return false;
    return isPlainDomainOrAddress(authority.substr(0, colon)) && isPlainRest(afterScheme.substr(authorityLength));
}

// URLs in their encoded form never hold a line feed.
std::string request(const std::vector<std::string_view>& encodedLinks)
{
    std::string request;
    for (const std::string_view link : encodedLinks) {
        request += link;
        request += '\n';
    }
    return request + '\n';
}

// A request is complete once it ends in an empty line; an empty request is the empty line alone.
bool isCompleteRequest(std::string_view request)
{
    return request == "\n" || request.ends_with("\n\n");
}

std::expected<void, LinkIntakeError> send(
    std::string_view request, const std::string& socketPath, std::chrono::milliseconds timeout)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    const auto connected = connectTo(socketPath, deadline);
    if (!connected)
        return std::unexpected(connected.error());
    const int fd = connected->get();
    sendRequest(fd, request, deadline);
    const auto reply = readReply(fd, deadline);
    if (!reply)
        return std::unexpected(reply.error());
    if (*reply != kAcknowledgement)
        return std::unexpected(LinkIntakeError::unanswered);
    return {};
}

bool peerIsThisUser(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == ::getuid();
}

} // namespace tavro::LinkHandOver
