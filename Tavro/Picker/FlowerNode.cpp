#include "Tavro/Picker/FlowerNode.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Picker/NodeGlyph.h"
#include "Tavro/Picker/PickerPictures.h"
#include "Tavro/Picker/ProfileNodeImage.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

namespace tavro {

namespace {

constexpr double verticalPadding = 10;
constexpr double textPadding = 10;
constexpr double spacing = 5;
constexpr double badgeOverhang = 6;
constexpr double glyphSize = 18;
constexpr double markPadding = 5;

QFont nameFont()
{
    return Drawing::systemFont(10, QFont::Bold);
}

} // namespace

QSizeF FlowerNode::size() const
{
    const double text = QFontMetricsF(nameFont()).height();
    return {width, verticalPadding + imageSize + spacing + text + verticalPadding};
}

QColor FlowerNode::fillColor(Appearance appearance) const
{
    if (isPrivate)
        return resolve(isSelected && isEnabled ? PrivateTheme::accent : PrivateTheme::surface, appearance);
    return resolve(isSelected ? Brand::navy : Brand::petalColor(destination.nodeColorHex), appearance);
}

QColor FlowerNode::textColor(Appearance appearance) const
{
    if (isPrivate)
        return resolve(PrivateTheme::ink, appearance);
    return resolve(isSelected ? Brand::frost : Brand::navy, appearance);
}

QColor FlowerNode::strokeColor(Appearance appearance) const
{
    if (isPrivate)
        return resolve(isSelected && isEnabled ? PrivateTheme::accentBright : PrivateTheme::divider, appearance);
    if (!isSelected)
        return resolve(Brand::divider, appearance);
    return resolve(destination.nodeColorHex ? Brand::petalColor(destination.nodeColorHex) : Brand::accent, appearance);
}

double FlowerNode::borderWidth() const
{
    if (isPrivate)
        return isSelected && isEnabled ? 2 : 1;
    if (!isSelected)
        return 1;
    return destination.nodeColorHex ? 4 : 2;
}

HotkeyBadge FlowerNode::badge(const QString& key, Appearance appearance) const
{
    if (isPrivate) {
        return {key, Qt::white, resolve(PrivateTheme::accent, appearance), resolve(PrivateTheme::surface, appearance)};
    }
    const QColor frost = resolve(Brand::frost, appearance);
    return {key, frost, resolve(Brand::accent, appearance), frost};
}

QString FlowerNode::stateSymbol() const
{
    if (isPrivate)
        return isEnabled ? QStringLiteral("eye.slash.fill") : QStringLiteral("nosign");
    if (isLastUsed)
        return QStringLiteral("clock.arrow.circlepath");
    return {};
}

QRectF FlowerNode::stateMarkRect(const QRectF& card) const
{
    const double side = (isPrivate ? 9.5 : 10) + 1.5;
    return {card.left() + markPadding, card.top() + markPadding, side, side};
}

QString FlowerNode::toolTip() const
{
    return !isPrivate && isLastUsed ? lastUsedText() : QString();
}

QRectF FlowerNode::cardRect() const
{
    const QSizeF cardSize = size();
    return {QPointF(-cardSize.width() / 2, -cardSize.height() / 2), cardSize};
}

void FlowerNode::paint(QPainter& painter, const QPointF& centre, Appearance appearance, PickerPictures& pictures,
    std::optional<double> scale) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    const double factor = scale.value_or(selectionScale());
    painter.scale(factor, factor);
    if (!isEnabled)
        painter.setOpacity(painter.opacity() * 0.4);
    pictures.paintPetal(painter, *this, appearance);
    painter.restore();
}

QPainterPath FlowerNode::cardShape() const
{
    return Drawing::roundedRect(cardRect(), cornerRadius);
}

void FlowerNode::paintFace(QPainter& painter, Appearance appearance) const
{
    painter.save();
    const QRectF card = cardRect();
    const QPainterPath shape = cardShape();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fillColor(appearance));
    painter.drawPath(shape);
    Drawing::stroke(painter, shape, strokeColor(appearance), borderWidth());

    const ProfileNodeImage image(destination, emojiPosition, imageSize);
    const double imageCentreY = card.top() + verticalPadding + imageSize / 2;
    image.paint(painter, {0, imageCentreY}, appearance);

    painter.setFont(nameFont());
    painter.setPen(textColor(appearance));
    const double textTop = card.top() + verticalPadding + imageSize + spacing;
    Drawing::drawElidedText(painter,
        QRectF(card.left() + textPadding, textTop, card.width() - 2 * textPadding, QFontMetricsF(nameFont()).height()),
        destination.profileDisplayName, Qt::AlignHCenter | Qt::AlignVCenter);

    if (hasBadge())
        badge(*hotkey, appearance).paint(painter, badgeCentre(card));

    if (const QString symbol = stateSymbol(); !symbol.isEmpty()) {
        QColor color;
        if (isPrivate)
            color = isSelected ? QColor(Qt::white) : resolve(PrivateTheme::accentBright, appearance);
        else
            color = resolve(isSelected ? Brand::frost : Brand::accent, appearance);
        SymbolImage::paint(painter, stateMarkRect(card), symbol, color);
    }

    if (hasCornerGlyph())
        NodeGlyph(destination, glyphSize).paint(painter, cornerGlyphCentre(card), appearance);
    painter.restore();
}

QRectF FlowerNode::faceBounds() const
{
    // The outline lies a pixel in; the border stands half outside the card, and antialiasing
    // touches a pixel more.
    const double margin = 1 + borderWidth() / 2 + 1;
    return outline({0, 0}, 1).boundingRect().adjusted(-margin, -margin, margin, margin);
}

QRectF FlowerNode::bounds() const
{
    // The shadow's widest stroke reaches half its width past the card, and antialiasing a pixel more.
    const double spread = shadowRadius() / 2 + 1;
    return faceBounds().united(cardRect().translated(shadowOffset).adjusted(-spread, -spread, spread, spread));
}

bool FlowerNode::hasBadge() const
{
    return hotkey && isEnabled;
}

QPointF FlowerNode::badgeCentre(const QRectF& card)
{
    return {card.right() - HotkeyBadge::diameter / 2 + badgeOverhang,
        card.top() + HotkeyBadge::diameter / 2 - badgeOverhang};
}

bool FlowerNode::hasCornerGlyph() const
{
    const bool corner = emojiPosition == EmojiPosition::bottomLeft || emojiPosition == EmojiPosition::bottomRight;
    return corner && NodeGlyph::isResolvable(destination);
}

QPointF FlowerNode::cornerGlyphCentre(const QRectF& card) const
{
    const double x = emojiPosition == EmojiPosition::bottomLeft ? card.left() + glyphSize / 2 - badgeOverhang
                                                                : card.right() - glyphSize / 2 + badgeOverhang;
    return {x, card.bottom() - glyphSize / 2 + badgeOverhang};
}

QPainterPath FlowerNode::outline(const QPointF& centre, double scale) const
{
    const QSizeF cardSize = size();
    const QRectF card(QPointF(-cardSize.width() / 2, -cardSize.height() / 2), cardSize);
    // A pixel in from each edge: the edge's faint pixels over the shadow would show black.
    QPainterPath path = Drawing::roundedRect(card.adjusted(1, 1, -1, -1), cornerRadius - 1);
    if (hasBadge())
        path.addPath(Drawing::circle(badgeCentre(card), HotkeyBadge::diameter - 2));
    if (hasCornerGlyph()) {
        const QPointF glyph = cornerGlyphCentre(card);
        path.addRect(QRectF(glyph - QPointF(glyphSize / 2, glyphSize / 2), QSizeF(glyphSize, glyphSize)));
    }
    QTransform placed;
    placed.translate(centre.x(), centre.y());
    placed.scale(scale, scale);
    return placed.map(path);
}

QString FlowerNode::lastUsedText()
{
    //: Tooltip on the clock icon marking the most recently used profile petal in the link picker.
    return QCoreApplication::translate("Tavro", "Last used");
}

QString FlowerNode::accessibilityName(const BrowserDestination& destination)
{
    QString prefix;
    if ((!destination.profilePhotoPath || destination.preferEmojiOverPhoto) && destination.profileEmoji)
        prefix = *destination.profileEmoji + QLatin1Char(' ');
    const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
    if (definition && definition->noProfilesLabel())
        return prefix + destination.browserDisplayName;
    return prefix + destination.browserDisplayName + QStringLiteral(", ") + destination.profileDisplayName;
}

QString FlowerNode::privateAccessibilityText(const BrowserDestination& destination)
{
    const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
    if (definition && definition->privateMechanism()) {
        //: VoiceOver announcement when the link picker switches to private mode (Shift held): links open in a private
        //: browser window.
        return QCoreApplication::translate("Tavro", "Private window");
    }
    //: Notice above the profile picker when the bypass browser can't open a private window. %1 is the browser name,
    //: e.g. ChatGPT Atlas.
    return QCoreApplication::translate("Tavro", "%1 can’t open private windows").arg(destination.browserDisplayName);
}

QString FlowerNode::accessibilityLabel() const
{
    QStringList parts{accessibilityName(destination)};
    if (isLastUsed)
        parts.append(lastUsedText());
    if (isPrivate)
        parts.append(privateAccessibilityText(destination));
    return parts.join(QStringLiteral(", "));
}

QString FlowerNode::accessibilityHint() const
{
    if (!hotkey)
        return {};
    //: VoiceOver hint on a profile petal in the link picker. %1 is a keyboard key, e.g. 1 or A.
    return QCoreApplication::translate("Tavro", "Press %1 to open here").arg(*hotkey);
}

} // namespace tavro
