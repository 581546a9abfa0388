#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;

namespace tavro {

class ColorSwatchButton;

// The popover of the petal colour button: a "Petal color" heading over the Default swatch and the
// eight tints, four to a row. It hides when a swatch is chosen or a click lands outside it.
class NodeColorPopover : public QWidget
{
    Q_OBJECT
public:
    // `anchor` is the button it opens below; a click on it closes the popover and goes no further,
    // so the button does not open it again at once.
    NodeColorPopover(std::optional<quint32> colorHex, QWidget* anchor);

    const QList<ColorSwatchButton*>& swatches() const { return m_swatches; }

    // Shows the popover below its anchor, centred on it (see PopoverPlacement).
    void popUp();

Q_SIGNALS:
    // The chosen tint's light `hex`, or nothing for the default colour. The popover has closed.
    void chosen(const std::optional<quint32>& hex);
    // Hidden by a choice, a click outside or Escape.
    void dismissed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QPointer<QWidget> m_anchor;
    QLabel* m_title;
    QList<ColorSwatchButton*> m_swatches;
};

} // namespace tavro
