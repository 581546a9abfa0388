#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/ResourceBundle.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <memory>

namespace tavro {

namespace {

// One renderer per symbol for the life of the process (main thread only, like the image cache).
QSvgRenderer* renderer(const QString& name)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    if (const auto found = cache.constFind(name); found != cache.constEnd())
        return found->get();
    std::shared_ptr<QSvgRenderer> loaded;
    if (const auto file = ResourceBundle::path(QStringLiteral("symbols/") + name, QStringLiteral("svg"))) {
        loaded = std::make_shared<QSvgRenderer>(*file);
        if (!loaded->isValid())
            loaded.reset();
    }
    cache.insert(name, loaded);
    return loaded.get();
}

} // namespace

bool SymbolImage::exists(const QString& name)
{
    return renderer(name) != nullptr;
}

bool SymbolImage::paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color)
{
    QSvgRenderer* svg = renderer(name);
    if (!svg || rect.isEmpty())
        return false;
    // Symbols are drawn in black; tinting keeps their coverage and takes the colour.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (rect.size() * ratio * 2).toSize().expandedTo({1, 1});
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QSizeF fitted = svg->viewBoxF().size().scaled(QSizeF(pixels), Qt::KeepAspectRatio);
        svg->render(&p,
            QRectF(QPointF((pixels.width() - fitted.width()) / 2, (pixels.height() - fitted.height()) / 2), fitted));
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(), color);
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect, image);
    painter.restore();
    return true;
}

} // namespace tavro
