#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

class QPainter;

namespace tavro {

// A profile picture drawn as a circle; nothing at all when the file does not load.
class ProfilePhoto : public QWidget
{
    Q_OBJECT
public:
    ProfilePhoto(const QString& path, double size, QWidget* parent = nullptr);

    QString path() const { return m_path; }
    QSize sizeHint() const override;

    // Whether the picture at `path` loads, as its size in pixels, read from the file's header once
    // per process (main thread only); the picture itself is decoded where it is drawn. A file that
    // fails to load, or later to decode, is remembered as a failure and not read again until
    // invalidateFailures().
    static std::optional<QSize> image(const QString& path);
    // Forgets remembered failures (the discovery coordinator calls this after each scan, so photos
    // that appeared with it are tried again); loaded pictures stay.
    static void invalidateFailures();

    // The picture filling the circle in `rect`, decoded at the size it is drawn and kept by the
    // window drawing it (or the process, for a picture drawn off screen). Returns false and draws
    // nothing when the picture does not load.
    static bool paint(QPainter& painter, const QRectF& rect, const QString& path, Appearance appearance);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
    double m_size;
};

} // namespace tavro
