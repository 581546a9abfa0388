#include "Tavro/Shell/PrivateMenuTracker.h"

#include "Tavro/Model/PrivateTheme.h"
#include "Tavro/Picker/SymbolImage.h"
#include "Tavro/Platform/KeyEvents.h"

#include <QAction>
#include <QMenu>
#include <QPainter>

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

void PrivateMenuTracker::apply(bool isPrivate)
{
    if (isPrivate == m_isPrivate)
        return;
    m_isPrivate = isPrivate;
    for (const Entry& entry : std::as_const(m_entries)) {
        if (!entry.item)
            continue;
        (isPrivate ? entry.privateTitle : entry.normalTitle).applyTo(*entry.item);
        entry.item->setEnabled(entry.sendsAction && (entry.enabledWhenPrivate || !isPrivate));
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
