#include "Tavro/Platform/ImageFile.h"

#include <QFileInfo>

namespace tavro {

std::unique_ptr<QImageReader> ImageFile::reader(const QString& path)
{
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!format.isEmpty()) {
        auto named = std::make_unique<QImageReader>(path, format);
        named->setAutoDetectImageFormat(false);
        // A file that cannot be read fails the same with either reader.
        if (named->canRead() || !QFileInfo(path).isReadable())
            return named;
    }
    return std::make_unique<QImageReader>(path);
}

} // namespace tavro
