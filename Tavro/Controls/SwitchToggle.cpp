#include "Tavro/Controls/SwitchToggle.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Model/Brand.h"

#include <QPainter>

namespace tavro {

namespace {
// The track when off: the platform's neutral control fill, a touch darker than the pane.
constexpr ColorPair offTrack{0xD9DEE3, 0x3A4754};
constexpr double knobInset = 2;
} // namespace

SwitchToggle::SwitchToggle(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setFixedSize(kSize);
    setFocusPolicy(Qt::TabFocus);
}

void SwitchToggle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect());
    QColor fill = resolve(isChecked() ? Brand::switchOn : offTrack, this);
    if (!isEnabled())
        fill = withOpacity(fill, 0.5);
    painter.fillPath(Drawing::roundedRect(track, track.height() / 2), fill);

    const double knob = track.height() - 2 * knobInset;
    const double x = isChecked() ? track.right() - knobInset - knob : track.left() + knobInset;
    const QPainterPath knobPath = Drawing::circle(QPointF(x + knob / 2, track.center().y()), knob);
    Drawing::paintShadow(painter, knobPath, 0.25, 1.5, QPointF(0, 0.5));
    painter.fillPath(knobPath, QColor(Qt::white));

    if (FocusRing::isShown(this))
        FocusRing::paint(painter, Drawing::roundedRect(track, track.height() / 2), this);
}

} // namespace tavro
