#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QTimer>
#include <QWidget>

#include <chrono>

namespace tavro {

// A small indeterminate progress indicator: an arc that turns while the indicator is on screen.
class ActivityIndicator : public QWidget
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kFrameInterval{50};
    static constexpr int kDegreesPerFrame = 30;

    ActivityIndicator(double size, const ColorPair& color, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    ColorPair m_color;
    QTimer m_frames;
    int m_angle = 0;
};

} // namespace tavro
