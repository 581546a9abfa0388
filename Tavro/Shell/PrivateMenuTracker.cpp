#include "Tavro/Shell/PrivateMenuTracker.h"

#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Platform/KeyEvents.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QScreen>

namespace tavro {

PrivateMenuTracker::PrivateMenuTracker(QObject* parent) : QObject(parent) { }

void PrivateMenuTracker::reset()
{
    m_timer.reset();
    m_entries.clear();
    m_isPrivate = false;
}

void PrivateMenuTracker::addEntry(const Entry& entry)
{
    m_entries.append(entry);
}

void PrivateMenuTracker::track(QMenu& menu)
{
    m_menu = &menu;
    connect(&menu, &QMenu::aboutToShow, this, &PrivateMenuTracker::menuWillOpen);
    connect(&menu, &QMenu::aboutToHide, this, &PrivateMenuTracker::menuDidClose);
}

bool PrivateMenuTracker::isHeld() const
{
    // Other modifiers held at the same time make no difference.
    const quint64 flags = KeyEvents::flagsState(KeyEvents::combinedSessionState);
    return (m_modifier & ~flags) == 0;
}

void PrivateMenuTracker::menuWillOpen()
{
    if (m_timer)
        return;
    // Before the menu draws, so a key held while clicking shows the private titles at once.
    apply(isHeld());
    m_timer = std::make_unique<QTimer>();
    m_timer->setInterval(kPollInterval);
    connect(m_timer.get(), &QTimer::timeout, this, [this] { apply(isHeld()); });
    m_timer->start();
}

void PrivateMenuTracker::menuDidClose()
{
    m_timer.reset();
}

namespace {
// An open menu resizes itself when its titles change and keeps its left edge. A submenu that
// opened to the left of its parent keeps the edge it shares with the parent instead, and one that
// no longer fits on the right moves to the left, so it never covers the parent.
void placeAgain(QMenu& submenu, const QRect& before, const QRect& parent)
{
    QRect placed = submenu.geometry();
    if (placed.size() == before.size())
        return;
    const QScreen* screen = submenu.screen();
    if (before.center().x() < parent.center().x())
        placed.moveRight(before.right());
    else if (screen && placed.right() > screen->availableGeometry().right())
        placed.moveRight(parent.left() - (before.left() - parent.right())); // the same gap, mirrored
    submenu.move(placed.topLeft());
}
} // namespace

void PrivateMenuTracker::apply(bool isPrivate)
{
    if (isPrivate == m_isPrivate)
        return;
    m_isPrivate = isPrivate;
    QList<std::pair<QPointer<QMenu>, QRect>> openSubmenus;
    if (m_menu) {
        for (const QAction* action : m_menu->actions()) {
            if (QMenu* submenu = action->menu(); submenu && submenu->isVisible())
                openSubmenus.append({submenu, submenu->geometry()});
        }
    }
    for (const Entry& entry : std::as_const(m_entries)) {
        if (!entry.item)
            continue;
        (isPrivate ? entry.privateTitle : entry.normalTitle).applyTo(*entry.item);
        entry.item->setEnabled(entry.sendsAction && (entry.enabledWhenPrivate || !isPrivate));
    }
    for (const auto& [submenu, before] : std::as_const(openSubmenus)) {
        if (submenu && m_menu)
            placeAgain(*submenu, before, m_menu->geometry());
    }
}

QImage PrivateMenuTracker::privateBadged(const std::optional<QImage>& image)
{
    constexpr int kSide = 32;
    constexpr qreal kScale = 2.0;
    QImage badged(QSize(kSide, kSide) * kScale, QImage::Format_ARGB32_Premultiplied);
    badged.setDevicePixelRatio(kScale);
    badged.fill(Qt::transparent);
    QPainter painter(&badged);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (image)
        painter.drawImage(QRectF(0, 0, kSide, kSide), *image);
    // The bottom-right corner (the drawing's origin is top left here).
    const QRectF oval(0.44 * kSide, kSide - 0.56 * kSide, 0.56 * kSide, 0.56 * kSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(PrivateTheme::accentNS.color(false));
    painter.drawEllipse(oval);
    const qreal glyph = 0.3 * kSide;
    SymbolImage::paint(painter, QRectF(oval.center() - QPointF(glyph, glyph) / 2, QSizeF(glyph, glyph)),
        QStringLiteral("eye.slash.fill"), Qt::white);
    return badged;
}

} // namespace tavro
