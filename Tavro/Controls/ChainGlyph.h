#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QRectF>
#include <QWidget>

class QPainter;

namespace tavro {

// The brand mark drawn without its picture: two interlocked chain links on a disc.
class ChainGlyph : public QWidget
{
    Q_OBJECT
public:
    explicit ChainGlyph(QWidget* parent = nullptr);

    static void paint(QPainter& painter, const QRectF& rect, Appearance appearance);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavro
