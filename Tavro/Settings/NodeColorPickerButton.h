#pragma once

// popover() hands out its QPointer, which needs the popover's whole type.
#include "Tavro/Settings/NodeColorPopover.h"

#include <QAbstractButton>
#include <QPointer>
#include <QString>

#include <optional>

namespace tavro {

struct PetalTint;

// The petal colour swatch of a destination row in Preferences. A click opens a popover with the
// default colour and the eight petal tints; the choice is reported through `selected`. It stores
// nothing; the row that holds it is built anew with the value the store keeps.
class NodeColorPickerButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString accessibilityValue READ accessibilityValue)
public:
    // `colorHex`: the destination's stored 0xRRGGBB, absent for the default petal colour.
    NodeColorPickerButton(std::optional<quint32> colorHex, QString profileName, QWidget* parent = nullptr);
    ~NodeColorPickerButton() override;

    void setProfileName(const QString& profileName);

    const std::optional<quint32>& colorHex() const { return m_colorHex; }
    bool isHovering() const { return m_hovering; }
    // The open popover, or nullptr.
    NodeColorPopover* popover() const { return m_popover; }

    QString accessibilityValue() const;

    QSize sizeHint() const override { return {30, 26}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The chosen tint's light `hex`, or nothing for the default colour.
    void selected(const std::optional<quint32>& hex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The tint whose `hex` is the stored value; a value outside the table counts as none.
    const PetalTint* selectedTint() const;
    void togglePopover();
    void refresh();

    std::optional<quint32> m_colorHex;
    QString m_profileName;
    bool m_hovering = false;
    QPointer<NodeColorPopover> m_popover;
};

} // namespace tavro
