#include "Tavro/Picker/DestinationPickerView.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Picker/NodeGlyph.h"
#include "Tavro/Picker/PickerAccessibility.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Picker/ProfileNodeImage.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEasingCurve>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace tavro {

namespace {

// Long enough for the spring to come to rest (it is within 0.01 % of 1 by then).
constexpr double settleSeconds = 0.6;
constexpr int frameIntervalMs = 16;
constexpr double hubSpacing = 3;
// The hub's "0" key cap, at its top trailing corner, and its corner glyph.
constexpr QPointF hubBadgeCentre{DestinationPickerView::hubDiameter / 2 - HotkeyBadge::diameter / 2 - 6,
    -DestinationPickerView::hubDiameter / 2 + HotkeyBadge::diameter / 2 + 10};
constexpr double hubGlyphSize = 22;

QString privateText()
{
    //: Caption on the link picker's hub in private-window mode.
    return QCoreApplication::translate("Tavro", "PRIVATE");
}

QString lastUsedCaption()
{
    //: Caption under the last used profile on the link picker's hub.
    return QCoreApplication::translate("Tavro", "LAST USED");
}

QString noDestinationsText()
{
    //: Shown on the link picker's hub when there are no browser profiles to choose from.
    return QCoreApplication::translate("Tavro", "No destinations");
}

QFont captionFont()
{
    return Drawing::tracked(Drawing::systemFont(8, QFont::ExtraBold), 0.5);
}

} // namespace

DestinationPickerView::DestinationPickerView(PickerViewModel* model, double bloom, bool interactive, QWidget* parent)
    : QWidget(parent), m_model(model), m_bloom(bloom), m_interactive(interactive)
{
    PickerAccessibility::install();
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(sizeHint());
    m_frameTimer.setInterval(frameIntervalMs);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        if (isBloomFinished() && m_bloom < 1)
            m_bloom = 1;
        if (!isAnimating())
            m_frameTimer.stop();
        update();
    });
    if (m_model) {
        setAccessibleName(m_model->accessibilityTitle());
        m_shownSelection = m_model->selectedIndex();
        connect(m_model, &PickerViewModel::selectedIndexChanged, this, [this](int index) {
            m_previousSelection = std::exchange(m_shownSelection, index);
            m_selectionStart = clock();
            startFrames();
            moveFocus();
            update();
        });
        connect(m_model, &PickerViewModel::isPrivateChanged, this, [this] {
            // The last picture drawn is the one of the mode being left; it fades out over the new one.
            m_fadeFrom = m_lastFrame;
            m_fadeStart = clock();
            startFrames();
            update();
            // Every petal's name now ends in its private-window text, or no longer does.
            PickerAccessibility::notifyNamesChanged(this);
        });
    }
}

DestinationPickerView::~DestinationPickerView() = default;

FlowerLayout DestinationPickerView::flowerLayout() const
{
    return FlowerLayout(m_model ? int(m_model->destinations.size()) : 0);
}

QSize DestinationPickerView::sizeHint() const
{
    const FlowerLayout layout = flowerLayout();
    return {int(std::ceil(layout.canvasWidth())), int(std::ceil(layout.canvasHeight()))};
}

QPointF DestinationPickerView::hubCentre() const
{
    return {width() * 0.5, height() * 0.5};
}

double DestinationPickerView::spring(double seconds, double response, double damping)
{
    if (seconds <= 0)
        return 0;
    const double omega = 2 * std::numbers::pi / response;
    const double decay = damping * omega;
    const double damped = omega * std::sqrt(1 - damping * damping);
    return 1 - std::exp(-decay * seconds) * (std::cos(damped * seconds) + decay / damped * std::sin(damped * seconds));
}

double DestinationPickerView::steadySeconds()
{
    static const QElapsedTimer started = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return started.nsecsElapsed() / 1e9;
}

std::optional<double> DestinationPickerView::since(std::optional<double> start) const
{
    if (!start)
        return std::nullopt;
    return clock() - *start;
}

double DestinationPickerView::elapsedSeconds() const
{
    return since(m_bloomStart).value_or(0);
}

bool DestinationPickerView::isBloomFinished() const
{
    if (m_bloom >= 1)
        return true;
    const auto count = m_model ? m_model->destinations.size() : 0;
    return m_bloomStart && elapsedSeconds() >= settleSeconds + petalStagger * double(count);
}

double DestinationPickerView::petalBloom(int index) const
{
    if (isBloomFinished())
        return 1;
    if (!m_bloomStart)
        return m_bloom;
    return spring(elapsedSeconds() - petalStagger * index);
}

FlowerNode DestinationPickerView::node(int index) const
{
    return node(index, HotkeyAssignment::resolve(m_model->destinations));
}

QList<FlowerNode> DestinationPickerView::nodes() const
{
    const auto hotkeys = HotkeyAssignment::resolve(m_model->destinations);
    QList<FlowerNode> petals;
    for (int i = 0; i < m_model->destinations.size(); ++i)
        petals.append(node(i, hotkeys));
    return petals;
}

FlowerNode DestinationPickerView::node(int index, const QHash<QUuid, QString>& hotkeys) const
{
    FlowerNode node;
    node.destination = m_model->destinations[index];
    if (const auto key = hotkeys.constFind(node.destination.id); key != hotkeys.constEnd())
        node.hotkey = key->toUpper();
    node.isSelected = index == m_model->selectedIndex();
    node.isLastUsed = m_model->lastUsedID && node.destination.id == *m_model->lastUsedID;
    node.emojiPosition = m_model->emojiPosition;
    node.isPrivate = m_model->isPrivate();
    node.isEnabled = m_model->isChoosable(node.destination);
    return node;
}

QRectF DestinationPickerView::petalRect(int index) const
{
    if (!m_model || index < 0 || index >= m_model->destinations.size())
        return {};
    return petalRect(index, node(index));
}

QRectF DestinationPickerView::petalRect(int index, const FlowerNode& petal) const
{
    const auto offsets = flowerLayout().petalOffsets(m_model->screenRoom);
    const double b = petalBloom(index);
    const double scale = petalGrowth(b) * petal.selectionScale();
    const QSizeF size = petal.size() * scale;
    const QPointF centre = hubCentre() + offsets[index] * b;
    return {centre - QPointF(size.width() / 2, size.height() / 2), size};
}

std::optional<int> DestinationPickerView::petalAt(const QPointF& point) const
{
    if (!m_model)
        return std::nullopt;
    // Later petals are drawn over earlier ones, so they are hit first.
    for (auto i = int(m_model->destinations.size()) - 1; i >= 0; --i) {
        if (petalRect(i).contains(point))
            return i;
    }
    return std::nullopt;
}

bool DestinationPickerView::hubContains(const QPointF& point) const
{
    const QPointF d = point - hubCentre();
    return std::hypot(d.x(), d.y()) <= hubDiameter / 2;
}

QRegion DestinationPickerView::drawnRegion() const
{
    if (!m_model)
        return {};
    // Part by part: in one path every part would be tested against every other for where they
    // cross, and a single polygon of them all would join them with lines.
    QRegion region;
    const auto add = [&region](const QPainterPath& part) {
        for (const QPolygonF& polygon : part.toFillPolygons())
            region += QRegion(polygon.toPolygon(), Qt::WindingFill);
    };
    const QPointF hub = hubCentre();
    const auto offsets = flowerLayout().petalOffsets(m_model->screenRoom);
    const QList<FlowerNode> petals = nodes();
    for (int i = 0; i < offsets.size(); ++i) {
        const double b = petalBloom(i);
        if (b <= 0)
            continue;
        // The stem two pixels wide; its ends lie under the hub and the petal.
        const QPointF stem = offsets[i] * b;
        const QPointF side = QPointF(-stem.y(), stem.x()) / std::hypot(stem.x(), stem.y());
        region += QRegion(QPolygonF({hub + side, hub + stem + side, hub + stem - side, hub - side}).toPolygon());
        add(petals[i].outline(hub + stem, petalGrowth(b) * petalSelectionScale(i, petals[i])));
    }
    add(hubOutline());
    if (const auto capsule = noticeCapsule())
        add(Drawing::roundedRect(*capsule, capsule->height() / 2));
    return region;
}

QString DestinationPickerView::toolTipAt(const QPointF& point) const
{
    const Hit hit = hitAt(point);
    if (hit.target != Target::petal)
        return {};
    const FlowerNode petal = node(hit.index);
    const QRectF drawn = petalRect(hit.index);
    // The card as drawn is the card at its own size, scaled about its centre.
    const double scale = drawn.width() / FlowerNode::width;
    const QSizeF size = petal.size();
    const QRectF mark = petal.stateMarkRect(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size));
    const QRectF shown(drawn.center() + mark.topLeft() * scale, mark.size() * scale);
    return shown.contains(point) ? petal.toolTip() : QString();
}

bool DestinationPickerView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const QString tip = toolTipAt(help->pos()); !tip.isEmpty())
        QToolTip::showText(help->globalPos(), tip, this);
    else
        QToolTip::hideText();
    return true;
}

DestinationPickerView::Hit DestinationPickerView::hitAt(const QPointF& point) const
{
    if (hubContains(point))
        return {Target::hub, -1};
    if (const auto index = petalAt(point))
        return {Target::petal, *index};
    return {};
}

std::optional<int> DestinationPickerView::hubIndex() const
{
    return m_model ? m_model->lastUsedIndex() : std::nullopt;
}

bool DestinationPickerView::hubDimmed() const
{
    const auto index = hubIndex();
    return index && m_model->isPrivate() && !PickerViewModel::canOpenPrivateWindows(m_model->destinations[*index]);
}

QString DestinationPickerView::hubAccessibilityLabel() const
{
    const auto index = hubIndex();
    if (!index && m_model && !m_model->destinations.isEmpty()) {
        //: What a screen reader calls the link picker's hub when it shows only the Tavro mark: there are
        //: destinations, but none was used last.
        return QCoreApplication::translate("Tavro", "Tavro");
    }
    if (!index)
        return noDestinationsText();
    const BrowserDestination& destination = m_model->destinations[*index];
    QStringList parts{FlowerNode::lastUsedText(), FlowerNode::accessibilityName(destination)};
    if (m_model->isPrivate())
        parts.append(FlowerNode::privateAccessibilityText(destination));
    return parts.join(QStringLiteral(", "));
}

void DestinationPickerView::setHubHovered(bool hovered)
{
    if (hovered == m_hubHovered)
        return;
    m_hubScaleFrom = hubScale();
    m_hubHovered = hovered;
    m_hubStart = clock();
    startFrames();
    update();
}

void DestinationPickerView::startFrames()
{
    if (isVisible() && !m_frameTimer.isActive())
        m_frameTimer.start();
}

bool DestinationPickerView::isAnimating() const
{
    const auto running
        = [this](std::optional<double> start) { return since(start).value_or(settleSeconds) < settleSeconds; };
    return !isBloomFinished() || running(m_selectionStart) || running(m_hubStart) || privateFadeProgress() < 1;
}

double DestinationPickerView::petalSelectionScale(int index, const FlowerNode& petal) const
{
    const double target = petal.selectionScale();
    const auto elapsed = since(m_selectionStart);
    if (!elapsed || !petal.isEnabled)
        return target;
    const double t = *elapsed;
    if (t >= settleSeconds)
        return target;
    const double progress = spring(t, selectionResponse, selectionDamping);
    if (petal.isSelected)
        return 1.0 + 0.1 * progress;
    // The petal that was selected before eases back down.
    if (index == m_previousSelection)
        return 1.1 - 0.1 * progress;
    return target;
}

double DestinationPickerView::hubScale() const
{
    const double target = m_hubHovered && !hubDimmed() ? 1.05 : 1.0;
    const auto elapsed = since(m_hubStart);
    if (!elapsed)
        return target;
    const double t = *elapsed;
    if (t >= settleSeconds)
        return target;
    return m_hubScaleFrom + (target - m_hubScaleFrom) * spring(t, hubResponse, hubDamping);
}

void DestinationPickerView::updateHover(const QPointF& point)
{
    const Hit hit = hitAt(point);
    setHubHovered(hit.target == Target::hub);
    // Entering a petal selects it; moving within it does not, so arrow keys keep their selection
    // while the pointer rests on a petal. Leaving selects nothing else.
    const std::optional<int> petal = hit.target == Target::petal ? std::optional(hit.index) : std::nullopt;
    if (petal && petal != m_hoveredPetal && m_model)
        m_model->setSelectedIndex(*petal);
    m_hoveredPetal = petal;
}

void DestinationPickerView::mouseMoveEvent(QMouseEvent* event)
{
    updateHover(event->position());
}

void DestinationPickerView::leaveEvent(QEvent*)
{
    setHubHovered(false);
    m_hoveredPetal.reset();
}

void DestinationPickerView::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton ? std::optional(hitAt(event->position())) : std::nullopt;
}

void DestinationPickerView::mouseReleaseEvent(QMouseEvent* event)
{
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed || event->button() != Qt::LeftButton || !m_model || hitAt(event->position()) != *pressed)
        return;
    // The model's receivers may close the picker; nothing of this view is touched after them.
    PickerViewModel* model = m_model;
    switch (pressed->target) {
    case Target::backdrop:
        model->cancel();
        return;
    case Target::hub:
        model->chooseSelected();
        return;
    case Target::petal:
        model->choose(pressed->index);
        return;
    }
}

void DestinationPickerView::showEvent(QShowEvent*)
{
    if (m_model && !m_model->reduceAnimations && m_bloom < 1 && !m_bloomStart) {
        m_bloomStart = clock();
        m_frameTimer.start();
    }
    if (m_interactive && m_model && !m_model->destinations.isEmpty())
        moveFocus();
}

void DestinationPickerView::moveFocus()
{
    if (!m_interactive || !m_model || m_model->destinations.isEmpty())
        return;
    const int index = m_model->selectedIndex();
    if (index < 0 || index >= m_model->destinations.size())
        return;
    m_focusedPetal = index;
    PickerAccessibility::notifyFocus(this, index);
}

void DestinationPickerView::paintEvent(QPaintEvent*)
{
    if (!m_model)
        return;
    // Drawn into a picture first, kept for the fade when the private mode changes.
    const qreal ratio = devicePixelRatioF();
    QImage frame((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    frame.setDevicePixelRatio(ratio);
    frame.fill(Qt::transparent);
    {
        QPainter painter(&frame);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const Appearance appearance = effectiveAppearance(this);
        const QList<FlowerNode> petals = nodes();
        paintStems(painter, appearance, petals);
        paintPetals(painter, appearance, petals);
        paintHub(painter, appearance);
        paintNotice(painter, appearance);
    }
    QPainter painter(this);
    const double fade = privateFadeProgress();
    if (fade < 1 && !m_fadeFrom.isNull()) {
        painter.setOpacity(1 - fade);
        painter.drawImage(QPointF(0, 0), m_fadeFrom);
        painter.setOpacity(fade);
    }
    painter.drawImage(QPointF(0, 0), frame);
    m_lastFrame = frame;
    if (!std::exchange(m_drawn, true))
        Q_EMIT firstFrameDrawn();
}

double DestinationPickerView::privateFadeProgress() const
{
    const auto elapsed = since(m_fadeStart);
    if (!elapsed || *elapsed >= privateFadeSeconds)
        return 1;
    return QEasingCurve(QEasingCurve::InOutQuad).valueForProgress(*elapsed / privateFadeSeconds);
}

void DestinationPickerView::paintStems(QPainter& painter, Appearance appearance, const QList<FlowerNode>& petals) const
{
    const auto offsets = flowerLayout().petalOffsets(m_model->screenRoom);
    const QColor color = resolve(m_model->isPrivate() ? PrivateTheme::stem : Brand::chain, appearance);
    // Flat ends, which the hub and the petal cover: a stem with flat ends is drawn as a line, without
    // stroking its outline first. It runs from a pixel inside the hub's opaque disc to a pixel inside
    // the petal's card once that is opaque, not from centre to centre: what lies under them would be
    // filled only to be covered, and a stem taller than about a hundred rows is filled by Qt's
    // painting on the shared pool's threads, which costs the frame more in waking them than it saves.
    const QPen pen(color, 2, Qt::SolidLine, Qt::FlatCap);
    const double underHub = (hubDiameter / 2 - 1) * hubScale();
    painter.save();
    painter.setPen(pen);
    // The stems come first, on the clear frame, and start at the hub's edge, where none crosses
    // another: over nothing, a translucent line's pixels are the same in Source mode, which Qt fills
    // on this thread. Blended over what is there, Qt hands a line of a few dozen rows to its thread
    // pool, whose waking costs the frame twenty times the line.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < offsets.size(); ++i) {
        const double b = petalBloom(i);
        const QPointF stem = offsets[i] * b;
        const double length = std::hypot(stem.x(), stem.y());
        // The circle that the card's shorter side bounds lies within its rounded corners.
        const QSizeF card = petals[i].size() * petalGrowth(b) * petalSelectionScale(i, petals[i]);
        const bool opaque = petalOpacity(b) >= 1 && petals[i].isEnabled;
        const double underPetal = opaque ? std::min(card.width(), card.height()) / 2 - 2 : 0;
        if (length <= underHub + underPetal)
            continue;
        painter.setOpacity(std::min(2.5 * b, 0.9));
        painter.drawLine(hubCentre() + stem * (underHub / length), hubCentre() + stem * (1 - underPetal / length));
    }
    painter.restore();
}

void DestinationPickerView::paintPetals(QPainter& painter, Appearance appearance, const QList<FlowerNode>& petals) const
{
    const auto offsets = flowerLayout().petalOffsets(m_model->screenRoom);
    for (int i = 0; i < offsets.size(); ++i) {
        const double b = petalBloom(i);
        // A petal still waiting in the hub is not drawn, nor its picture made: each is made in the
        // frame its petal comes out in, not all of them in the first.
        if (petalOpacity(b) <= 0)
            continue;
        const QPointF centre = hubCentre() + offsets[i] * b;
        painter.save();
        painter.setOpacity(petalOpacity(b));
        painter.translate(centre);
        painter.scale(petalGrowth(b), petalGrowth(b));
        petals[i].paint(painter, {0, 0}, appearance, m_pictures, petalSelectionScale(i, petals[i]));
        painter.restore();
    }
}

double DestinationPickerView::petalOpacity(double bloom)
{
    return std::min(3 * bloom, 1.0);
}

double DestinationPickerView::petalGrowth(double bloom)
{
    return 0.55 + 0.45 * bloom;
}

double DestinationPickerView::privateCaptionHeight() const
{
    return QFontMetricsF(captionFont()).height();
}

void DestinationPickerView::paintPrivateCaption(QPainter& painter, const QPointF& centre, Appearance appearance) const
{
    const QColor color = resolve(PrivateTheme::accentBright, appearance);
    const QFont font = captionFont();
    const QFontMetricsF metrics(font);
    const double symbol = metrics.height();
    const double text = metrics.horizontalAdvance(privateText());
    const double total = symbol + 3 + text;
    const double left = centre.x() - total / 2;
    const double top = centre.y() - symbol / 2;
    SymbolImage::paint(painter, QRectF(left, top, symbol, symbol), QStringLiteral("eye.slash.fill"), color);
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRectF(left + symbol + 3, top, text + 2, symbol), Qt::AlignLeft | Qt::AlignVCenter, privateText());
    painter.restore();
}

std::optional<QPointF> DestinationPickerView::hubGlyphCentre(const BrowserDestination& destination) const
{
    const auto position = m_model->emojiPosition;
    if ((position != EmojiPosition::bottomLeft && position != EmojiPosition::bottomRight)
        || !NodeGlyph::isResolvable(destination))
        return std::nullopt;
    const double inset = hubDiameter / 2 - hubGlyphSize / 2 - 8;
    return QPointF(position == EmojiPosition::bottomLeft ? -inset : inset, inset);
}

QPainterPath DestinationPickerView::hubOutline() const
{
    // A pixel in from each edge, as for the petals.
    QPainterPath path = Drawing::circle({0, 0}, hubDiameter - 2);
    if (const auto index = hubIndex()) {
        path.addPath(Drawing::circle(hubBadgeCentre, HotkeyBadge::diameter - 2));
        if (const auto glyph = hubGlyphCentre(m_model->destinations[*index]))
            path.addRect(
                QRectF(*glyph - QPointF(hubGlyphSize / 2, hubGlyphSize / 2), QSizeF(hubGlyphSize, hubGlyphSize)));
    }
    QTransform placed;
    placed.translate(hubCentre().x(), hubCentre().y());
    placed.scale(hubScale(), hubScale());
    return placed.map(path);
}

void DestinationPickerView::paintHub(QPainter& painter, Appearance appearance) const
{
    painter.save();
    painter.translate(hubCentre());
    painter.scale(hubScale(), hubScale());
    paintHubDisc(painter, appearance);
    if (const auto index = hubIndex())
        paintHubLastUsed(painter, m_model->destinations[*index], appearance);
    else
        paintHubMark(painter, appearance);
    painter.restore();
}

void DestinationPickerView::paintHubDisc(QPainter& painter, Appearance appearance) const
{
    const bool isPrivate = m_model->isPrivate();
    const auto index = hubIndex();
    const bool active = m_hubHovered && !hubDimmed();
    const QPainterPath disc = Drawing::circle({0, 0}, hubDiameter);
    m_pictures.paintShadow(painter, disc, active ? 0.3 : 0.22, active ? 18 : 14, {0, 6});
    const std::optional<quint32> tint = index ? m_model->destinations[*index].nodeColorHex : std::nullopt;
    painter.setPen(Qt::NoPen);
    // In private mode the disc takes the private surface: the private inks and caption are pale
    // and would not read on a pale petal colour.
    painter.setBrush(resolve(isPrivate ? PrivateTheme::surface : Brand::petalColor(tint), appearance));
    painter.drawPath(disc);
    if (active)
        Drawing::stroke(painter, disc, resolve(isPrivate ? PrivateTheme::accentBright : Brand::accent, appearance), 2);
    else if (isPrivate)
        Drawing::stroke(painter, disc, resolve(PrivateTheme::accent, appearance), 1.5);
    else
        Drawing::stroke(painter, disc, withOpacity(resolve(Brand::navy, appearance), 0.12), 1);
}

double DestinationPickerView::paintHubCaption(QPainter& painter, double contentHeight, Appearance appearance) const
{
    if (!m_model->isPrivate())
        return -contentHeight / 2;
    const double caption = privateCaptionHeight() + hubSpacing;
    const double top = -(caption + contentHeight) / 2;
    paintPrivateCaption(painter, {0, top + privateCaptionHeight() / 2}, appearance);
    return top + caption;
}

void DestinationPickerView::paintHubLastUsed(
    QPainter& painter, const BrowserDestination& destination, Appearance appearance) const
{
    const bool isPrivate = m_model->isPrivate();
    const QFont nameFont = Drawing::systemFont(10.5, QFont::Bold);
    const double nameHeight = QFontMetricsF(nameFont).height();
    const double lastHeight = QFontMetricsF(captionFont()).height();
    const double imageSize = 34;
    double y = paintHubCaption(painter, imageSize + hubSpacing + nameHeight + hubSpacing + lastHeight, appearance);
    painter.save();
    if (hubDimmed())
        painter.setOpacity(painter.opacity() * 0.4);
    ProfileNodeImage(destination, m_model->emojiPosition, imageSize).paint(painter, {0, y + imageSize / 2}, appearance);
    painter.restore();
    y += imageSize + hubSpacing;
    painter.setFont(nameFont);
    painter.setPen(resolve(isPrivate ? PrivateTheme::ink : Brand::navy, appearance));
    Drawing::drawElidedText(painter, QRectF(-hubDiameter / 2 + 12, y, hubDiameter - 24, nameHeight),
        destination.profileDisplayName, Qt::AlignCenter);
    y += nameHeight + hubSpacing;
    painter.setFont(captionFont());
    painter.setPen(resolve(m_model->isPrivate() ? PrivateTheme::inkSecondary : Brand::textSecondary, appearance));
    painter.drawText(QRectF(-hubDiameter / 2, y, hubDiameter, lastHeight), Qt::AlignCenter, lastUsedCaption());

    // The key that chooses the last used destination, at the top trailing corner.
    const HotkeyBadge zero{HotkeyAssignment::mostRecentKey, Qt::white,
        resolve(isPrivate ? PrivateTheme::accent : Brand::accent, appearance),
        resolve(isPrivate ? PrivateTheme::surface : Brand::frost, appearance)};
    zero.paint(painter, hubBadgeCentre);

    if (const auto glyph = hubGlyphCentre(destination))
        NodeGlyph(destination, hubGlyphSize).paint(painter, *glyph, appearance);
}

void DestinationPickerView::paintHubMark(QPainter& painter, Appearance appearance) const
{
    const double mark = m_model->isPrivate() ? 56 : 72;
    const bool empty = m_model->destinations.isEmpty();
    const QFont emptyFont = Drawing::systemFont(9.5);
    const double emptyHeight = empty ? QFontMetricsF(emptyFont).height() + hubSpacing : 0;
    double y = paintHubCaption(painter, mark + emptyHeight, appearance);
    TavroMark::paint(painter, QRectF(-mark / 2, y, mark, mark), appearance);
    y += mark + hubSpacing;
    if (empty) {
        painter.setFont(emptyFont);
        painter.setPen(resolve(m_model->isPrivate() ? PrivateTheme::inkSecondary : Brand::textSecondary, appearance));
        painter.drawText(QRectF(-hubDiameter / 2, y, hubDiameter, emptyHeight), Qt::AlignHCenter | Qt::AlignTop,
            noDestinationsText());
    }
}

namespace {
QFont noticeFont()
{
    return Drawing::systemFont(11, QFont::DemiBold);
}
} // namespace

QString DestinationPickerView::noticeText() const
{
    const double maxText = width() - 2 * 12 - 16;
    return QFontMetricsF(noticeFont()).elidedText(*m_model->notice, Qt::ElideRight, maxText);
}

std::optional<QRectF> DestinationPickerView::noticeCapsule() const
{
    if (!m_model || !m_model->notice)
        return std::nullopt;
    const QFontMetricsF metrics(noticeFont());
    const QString text = noticeText();
    const QSizeF size(metrics.horizontalAdvance(text) + 24, metrics.height() + 14);
    return QRectF(QPointF(width() / 2.0 - size.width() / 2, 4), size);
}

void DestinationPickerView::paintNotice(QPainter& painter, Appearance appearance) const
{
    const auto capsule = noticeCapsule();
    if (!capsule)
        return;
    const bool isPrivate = m_model->isPrivate();
    const QFont font = noticeFont();
    const QString text = noticeText();
    const QPainterPath shape = Drawing::roundedRect(*capsule, capsule->height() / 2);
    painter.save();
    m_pictures.paintShadow(painter, shape, 0.2, 10, {0, 3});
    painter.setPen(Qt::NoPen);
    painter.setBrush(resolve(isPrivate ? PrivateTheme::surface : Brand::frost, appearance));
    painter.drawPath(shape);
    Drawing::strokeInside(painter, shape, resolve(isPrivate ? PrivateTheme::accent : Brand::accent, appearance), 1);
    painter.setFont(font);
    painter.setPen(resolve(isPrivate ? PrivateTheme::ink : Brand::navy, appearance));
    painter.drawText(*capsule, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace tavro
