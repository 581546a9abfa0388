#pragma once

#include <QString>

#include <optional>

namespace tavro {

// The icons of the desktop's icon theme, looked up by freedesktop.org's rules for icon themes: in
// Qt's theme (`QIcon::themeName`, "hicolor" when none is set), the themes it inherits and "hicolor",
// under Qt's theme search paths, then among the icons outside any theme
// (`QIcon::fallbackSearchPaths`). Qt's own lookup hands its files to a reader that loads every
// image-format plugin; a file found here is read in the format its name gives (`ImageFile`). The
// themes read are kept for the process (main thread only).
namespace IconTheme {

// The file of the icon `name` for `pixels` device pixels: one whose folder holds that size, or else
// the one closest to it; none when no theme has the icon.
std::optional<QString> file(const QString& name, int pixels);

} // namespace IconTheme

} // namespace tavro
