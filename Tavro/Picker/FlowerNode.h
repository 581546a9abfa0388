#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/SettingsEnums.h"
#include "Tavro/Picker/HotkeyBadge.h"

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

class QPainter;

namespace tavro {

class PickerPictures;

// One petal of the picker: a rounded card with the destination's picture, its profile name, its
// key cap and a state mark. Everything it shows is an input; the picker view places, scales and
// fades it and handles the pointer.
class FlowerNode
{
public:
    BrowserDestination destination;
    std::optional<QString> hotkey;
    bool isSelected = false;
    bool isLastUsed = false;
    EmojiPosition emojiPosition = EmojiPosition::besideIcon;
    bool isPrivate = false;
    bool isEnabled = true;

    static constexpr double width = 96;
    static constexpr double cornerRadius = 16;
    static constexpr double imageSize = 30;

    // The card's size before the selection scale.
    QSizeF size() const;
    // 1.1 for a selected petal that can be chosen.
    double selectionScale() const { return isSelected && isEnabled ? 1.1 : 1.0; }

    // Draws the card centred on `centre`, at `scale` (the selection scale unless a transition to or
    // from it is under way), with its shadow, through `pictures`.
    void paint(QPainter& painter, const QPointF& centre, Appearance appearance, PickerPictures& pictures,
        std::optional<double> scale = {}) const;
    // Draws everything but the shadow, centred on the origin: the card, its picture, name, key cap
    // and marks.
    void paintFace(QPainter& painter, Appearance appearance) const;
    // What the face and the card's shadow cover, around the origin.
    QRectF bounds() const;
    // The card's outline centred on the origin, which casts the shadow.
    QPainterPath cardShape() const;
    static constexpr QPointF shadowOffset{0, 5};

    // What the card covers when drawn centred on `centre` at `scale`: the card, its key cap and its
    // corner glyph, without the shadow.
    QPainterPath outline(const QPointF& centre, double scale) const;

    QColor fillColor(Appearance appearance) const;
    QColor textColor(Appearance appearance) const;
    QColor strokeColor(Appearance appearance) const;
    double borderWidth() const;
    double shadowOpacity() const { return isSelected ? 0.3 : 0.16; }
    double shadowRadius() const { return isSelected ? 15 : 9; }
    HotkeyBadge badge(const QString& key, Appearance appearance) const;

    // The state mark in the top leading corner: a symbol name, or empty for none.
    QString stateSymbol() const;
    // Where the state mark sits on the card `card` (in the card's own coordinates, before scaling).
    QRectF stateMarkRect(const QRectF& card) const;
    // The state mark's tooltip; empty for none.
    QString toolTip() const;

    QString accessibilityLabel() const;
    QString accessibilityHint() const;
    static QString accessibilityName(const BrowserDestination& destination);
    static QString privateAccessibilityText(const BrowserDestination& destination);
    static QString lastUsedText();

    bool operator==(const FlowerNode&) const = default;

private:
    // The card centred on the origin.
    QRectF cardRect() const;
    // What `paintFace` covers, around the origin.
    QRectF faceBounds() const;
    bool hasBadge() const;
    static QPointF badgeCentre(const QRectF& card);
    bool hasCornerGlyph() const;
    QPointF cornerGlyphCentre(const QRectF& card) const;
};

} // namespace tavro
