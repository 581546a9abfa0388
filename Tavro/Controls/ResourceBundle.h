#pragma once

#include "Tavro/Controls/PictureCache.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace tavro::ResourceBundle {

// The folder name the build gives the contents of resources/.
inline constexpr auto bundleName = "Tavro_Tavro.bundle";

// The directories searched for the bundle, in order: the application's resource directory, the
// application's own directory, then the same two for the code's own bundle.
QStringList searchDirectories();

// The resource bundle, found once per process on first use; none when it is nowhere.
std::optional<QDir> tavroResources();

// The file "<name>.<ext>" of the bundle; none without a bundle or such a file.
std::optional<QString> path(const QString& name, const QString& ext);

// The image "<name>.<ext>" of the bundle, read now; none when it is missing or unreadable.
std::optional<QImage> image(const QString& name, const QString& ext);

// The size of the image "<name>.<ext>" of the bundle, read from the file's header alone; none when it
// is missing or unreadable.
std::optional<QSize> imageSize(const QString& name, const QString& ext);

// The image "<name>.<ext>" of the bundle decoded straight to `size` (device pixels): a large picture
// drawn small never stands whole in memory. None when it is missing or unreadable.
std::optional<QImage> image(const QString& name, const QString& ext, QSize size);

// The image "<name>.<ext>" of the bundle through a process-wide cache keyed "<name>.<ext>": each key
// touches the file system once, a miss included. Main thread only.
std::optional<QImage> tavroImage(const QString& name, const QString& ext);

// The image "<name>.<ext>" of the bundle for drawing at `place`, kept by PictureCache at the size it
// is drawn and never decoded larger than the file; none when it is missing or unreadable, which is
// remembered for the life of the process. Main thread only.
std::optional<QImage> drawnImage(const QString& name, const QString& ext, const PicturePlace& place);

// Finds the bundle among `directories` the way tavroResources() does, without caching.
std::optional<QDir> findBundle(const QStringList& directories);

} // namespace tavro::ResourceBundle
