#pragma once
// The name of the link socket, in plain C++: the `tavro` command looks for the socket before it
// loads any library, and both halves of the socket name it through this.

#include <optional>
#include <string>
#include <string_view>

namespace tavro::LinkSocketName {

// The socket's file name for the home folder `home` (its bytes as the system holds them, cleaned as
// a path is): "tavro-", the first 16 hex digits of the home's SHA-256, ".sock". Keyed by the home
// because the home holds all of Tavro's state: two homes are two separate Tavros.
std::string fileName(std::string_view home);

// Where the socket of this process's home lies, as far as the environment tells without Qt: HOME
// (or "/" where it is empty) an absolute path that needs no cleaning, in a runtime folder that
// XDG_RUNTIME_DIR names absolutely. Nothing otherwise: Qt's rules for the runtime folder then
// decide, and only `LinkForwarding::defaultSocketPath` knows them.
std::optional<std::string> pathFromEnvironment();

// The SHA-256 digest of `bytes` in lower-case hex.
std::string sha256Hex(std::string_view bytes);

} // namespace tavro::LinkSocketName
