#pragma once

#include "Tavro/Controls/Appearance.h"

#include <QRectF>
#include <QWidget>

#include <optional>

class QPainter;

namespace tavro {

// The application's logo ("logo.png" of the resource bundle), or the chain glyph without it.
class TavroMark : public QWidget
{
    Q_OBJECT
public:
    // A size of none leaves the size to the layout.
    explicit TavroMark(std::optional<double> size = std::nullopt, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // The logo fitted in `rect`, decoded at the size it is drawn (ResourceBundle::drawnImage).
    static void paint(QPainter& painter, const QRectF& rect, Appearance appearance);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<double> m_size;
};

} // namespace tavro
