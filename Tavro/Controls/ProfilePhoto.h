#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QImage>
#include <QRectF>
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

    // The picture at `path` through a process-wide cache (main thread only). A file that fails to
    // load is remembered as a failure and not read again until invalidateFailures().
    static std::optional<QImage> image(const QString& path);
    // Forgets remembered failures (the discovery coordinator calls this after each scan, so photos
    // that appeared with it are tried again); loaded pictures stay.
    static void invalidateFailures();

    // Returns false and draws nothing when the picture does not load.
    static bool paint(QPainter& painter, const QRectF& rect, const QString& path, Appearance appearance);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
    double m_size;
};

} // namespace tavro
