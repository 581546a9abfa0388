#pragma once

namespace tavro {
class FileSystemReading;
}

namespace tavro::BrowserDataPermission {

// Touches the "Local State" of every installed Chromium-family browser, so that the system
// records the access attempt and the user can then allow it in the Files & Folders settings.
// The outcomes are not used.
void probe();
// The same through another file system (tests record what is touched).
void probe(const FileSystemReading& fileSystem);

} // namespace tavro::BrowserDataPermission
