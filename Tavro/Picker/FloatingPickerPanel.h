#pragma once

#include <QRect>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace tavro {

// The borderless floating window that hosts the picker: stays above other windows, takes key
// events, draws nothing of its own around its content and is placed exactly where it is put,
// overhanging screen edges if need be.
class FloatingPickerPanel : public QWidget
{
    Q_OBJECT
public:
    explicit FloatingPickerPanel(const QRect& contentRect, QWidget* parent = nullptr);

    // Sets the single content view; the panel takes it over and sizes itself to it.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return m_content; }

    // What the content covers now, in its own coordinates; none leaves the window unshaped.
    std::function<QRegion()> contentShape;

    // Clips the window to what its content covers. Where no compositing manager runs, the
    // transparent parts of a translucent window show black; the window then takes the flower's
    // shape instead. On such a desktop the shape then follows each frame the content draws.
    void shapeToContent();

    // The modifier flag a modifier key stands for; 0 for any other key.
    static quint64 modifierFlag(int key);

Q_SIGNALS:
    // The platform modifier flags after a modifier key went down or up.
    void flagsChanged(quint64 flags);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleModifier(QKeyEvent* event, bool down);

    QWidget* m_content = nullptr;
    bool m_shapeQueued = false;
};

} // namespace tavro
