#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;

namespace tavro {

// A browser application's icon, or the "globe" symbol when the application is not found.
class BrowserIcon : public QWidget
{
    Q_OBJECT
public:
    BrowserIcon(const QString& bundleIdentifier, double size, QWidget* parent = nullptr);

    QString bundleIdentifier() const { return m_bundleIdentifier; }
    double iconSize() const { return m_size; }
    QSize sizeHint() const override;

    // The application icon found through the workspace, for `size` points in a menu: kept by the
    // process (main thread only) at the size it is drawn (PictureCache). Found applications stay for
    // the life of the process; a miss is not kept, so an application installed later is found. An
    // installed application without a readable icon gets the generic application icon, kept like a
    // found one: the picker draws every frame of its animations through here. For a `size` of a
    // list row, up to kSmallFormSize, the generic icon comes in a form of its own that keeps its
    // window at that size.
    static std::optional<QImage> icon(const QString& bundleIdentifier, double size = kLargeSize);

    static constexpr double kSmallFormSize = 20;
    static constexpr double kLargeSize = 64;

    // The icon in `rect`, decoded at the size it is drawn and kept by the window drawing it (or the
    // process, for a picture drawn off screen); the globe when the application is not found.
    static void paint(QPainter& painter, const QRectF& rect, const QString& bundleIdentifier, Appearance appearance);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_bundleIdentifier;
    double m_size;
};

} // namespace tavro
