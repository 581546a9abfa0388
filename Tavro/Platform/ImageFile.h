#pragma once

#include <QImageReader>
#include <QString>

#include <memory>

namespace tavro {

// Reading pictures from files. A reader that Qt makes for a file asks every image-format plugin
// whether it reads the file's format, which loads all of them with their libraries: a megabyte and
// more of the process, and tens of milliseconds of whichever frame reads the first picture.
namespace ImageFile {

// A reader of `path` in the format that its extension names, which loads no plugin or that format's
// alone; one that looks at the contents as Qt's does when the name gives no format or the file is not
// in the one it gives.
std::unique_ptr<QImageReader> reader(const QString& path);

} // namespace ImageFile

} // namespace tavro
