#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Settings/HotkeyCaptureButton.h"

#include <QDir>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace tavro::testing {

// The painted pixels of a row control, over a background no Brand colour uses, so a clear fill
// shows as that background.
inline QImage paintedOver(QWidget& widget, QColor background = Qt::magenta)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(background);
    widget.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// How many pixels of the cap's top edge, away from its rounded corners, have `colour`: all of
// them for a solid border, some for a dashed one.
inline int topEdgeMatches(const QImage& image, QColor colour)
{
    int matches = 0;
    for (int x = 9; x < image.width() - 9; ++x)
        matches += image.pixelColor(x, 0).rgb() == colour.rgb();
    return matches;
}

// Saves `widget` drawn in `appearance` as build/artifacts/<name>-<light|dark>.png, at three pixels
// a point so a person can look at the small controls closely.
inline void saveScreenshot(QWidget& widget, const QString& name, Appearance appearance)
{
    setExplicitAppearance(&widget, appearance);
    QDir().mkpath(TAVRO_ARTIFACTS_DIR);
    const QString suffix = appearance == Appearance::dark ? QStringLiteral("dark") : QStringLiteral("light");
    QImage image(widget.size() * 3, QImage::Format_ARGB32);
    image.setDevicePixelRatio(3);
    image.fill(Qt::transparent);
    widget.render(&image);
    EXPECT_TRUE(image.save(QStringLiteral(TAVRO_ARTIFACTS_DIR "/%1-%2.png").arg(name, suffix)));
}

// Whether a key cap records, as a person sees it: its tooltip is the prompt.
inline bool recording(const HotkeyCaptureButton* cap)
{
    return cap->toolTip() == HotkeyCaptureButton::prompt();
}

} // namespace tavro::testing
