#pragma once
// The link socket's exchange in plain C++: the request as it travels, the sending half's talk with
// the listener, and the links that go over as they were typed. The `tavro` command hands those over
// itself, so that a link clicked while Tavro runs loads no library; `LinkForwarding` reads every
// other link with Qt and sends it through here, and `LinkIntake` is the listening half.

#include <chrono>
#include <expected>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

enum class LinkIntakeError {
    noRunningInstance,  // nobody listens on the socket, or a Tavro that is ending dropped the connection
    unanswered,         // a process holds the socket but did not take the links: it refused them or was too late
    socketUnavailable,  // the socket could not be created or bound
    heldByAnotherTavro, // another Tavro of this home holds the socket, or is about to listen on it
    foreignListener,    // the process listening on the socket belongs to another user
};

namespace LinkHandOver {

inline constexpr std::chrono::milliseconds kTimeout{3000};

// The line a program prints when `error` keeps it from handing over its links to the socket at
// `socketPath`, which it names where the socket itself is at fault.
std::string failureLine(LinkIntakeError error, std::string_view socketPath);

// Whether `argument` is a web link that reads the same whether it is read strictly or tolerantly,
// and that every reader of links takes: "http" or "https" in any case, "://", a host name (labels
// of letters, digits and inner hyphens, the last one not a number) or a dotted IPv4 address, an
// optional port, then a path, query and fragment of the characters a URL holds as they are, "%"
// only before two hex digits. Such a link goes over as it is; anything else is read with Qt.
bool isPlainWebLink(std::string_view argument);

// The request: one link per line in its encoded form, then an empty line (the empty line alone
// when there is no link). The listener answers one line: this once it has taken the request
// whole, anything else when it refuses it.
inline constexpr std::string_view kAcknowledgement = "ok\n";
inline constexpr std::string_view kRefusal = "refused\n";
std::string request(const std::vector<std::string_view>& encodedLinks);
bool isCompleteRequest(std::string_view request);

// Hands `request` to the Tavro listening on `socketPath` and waits for its answer until `timeout`.
// A listener of another user is refused before anything is sent. Only the acknowledgement is
// success; a listener that ends the connection before it answers a byte is a Tavro that is
// ending, as good as none.
[[nodiscard]] std::expected<void, LinkIntakeError> send(
    std::string_view request, const std::string& socketPath, std::chrono::milliseconds timeout = kTimeout);

// Whether the process at the other end of a connected socket runs as this user: for a listener,
// the user that made it listen.
bool peerIsThisUser(int fd);

} // namespace LinkHandOver

} // namespace tavro
