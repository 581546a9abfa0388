#include "Tavro/Settings/ShareMenu.h"

#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/MenuStyle.h"
#include "Tavro/Controls/ResourceBundle.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/SharingPicker.h"
#include "Tavro/Platform/UrlOpener.h"
#include "Tavro/Settings/ShareDestination.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIconEngine>
#include <QMenu>
#include <QPainter>
#include <QPointer>

namespace tavro {

namespace {

// Draws the light or the dark picture, whichever the appearance is at the time of drawing, so the
// icon follows a switch between light and dark without being made again.
class AppearanceIconEngine : public QIconEngine
{
public:
    AppearanceIconEngine(QImage light, QImage dark, std::function<Appearance()> appearance)
        : m_light(std::move(light)), m_dark(std::move(dark)), m_appearance(std::move(appearance))
    { }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(QRectF(rect), m_appearance() == Appearance::dark ? m_dark : m_light);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new AppearanceIconEngine(m_light, m_dark, m_appearance); }

private:
    QImage m_light;
    QImage m_dark;
    std::function<Appearance()> m_appearance;
};

QIcon blankIcon()
{
    QPixmap blank(ShareMenu::kIconSize, ShareMenu::kIconSize);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

// A symbol in one colour, for the menu's own items and its button.
QIcon symbolIcon(const QString& name, const QColor& color)
{
    QPixmap pixmap(2 * ShareMenu::kIconSize, 2 * ShareMenu::kIconSize);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    SymbolImage::paint(painter, QRectF(0, 0, ShareMenu::kIconSize, ShareMenu::kIconSize), name, color);
    return QIcon(pixmap);
}

std::optional<QImage> picture(const QString& name)
{
    // Read from the bundle each time, past the image cache: the menu makes its icons afresh.
    return ResourceBundle::image(QStringLiteral("social/") + name, QStringLiteral("png"));
}

} // namespace

QString ShareMenu::tagline()
{
    //: The message attached when sharing a link to Tavro's website from the Settings sidebar; it is the app's
    //: tagline, also shown in the About settings pane.
    return QCoreApplication::translate("Tavro", "Tavro gets links where they belong.");
}

QIcon ShareMenu::icon(const QString& name, std::function<Appearance()> appearance)
{
    const auto light = picture(name);
    if (!light)
        return blankIcon();
    const auto dark = picture(name + QStringLiteral("-dark"));
    if (!dark)
        return QIcon(QPixmap::fromImage(
            light->scaled(2 * kIconSize, 2 * kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    return QIcon(new AppearanceIconEngine(*light, *dark, std::move(appearance)));
}

ShareMenu::ShareMenu(QWidget* parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("shareMenu"));
    //: The Settings sidebar button that shares a link to Tavro's website.
    setText(QCoreApplication::translate("Tavro", "Share Tavro"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setPopupMode(QToolButton::InstantPopup);
    setAutoRaise(true);
    setFont(Drawing::systemFont(12, QFont::Medium));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setStyle(FocusRing::ControlStyle::shared());

    auto* menu = new QMenu(this);
    menu->setStyle(MenuStyle::shared());
    QPointer<ShareMenu> self(this);
    const auto appearance = [self] { return self ? effectiveAppearance(self) : Appearance::light; };
    for (ShareDestination destination : allCases<ShareDestination>()) {
        QAction* item = menu->addAction(icon(iconName(destination), appearance), displayName(destination));
        item->setObjectName(rawValue(destination));
        connect(item, &QAction::triggered, this, [destination] {
            if (const auto url = composerURL(destination, tagline(), tagline()))
                UrlOpener::open(*url);
        });
    }
    menu->addSeparator();
    //: Item of the Share Tavro menu in the Settings sidebar that copies the link to Tavro's website.
    QAction* copy = menu->addAction(QCoreApplication::translate("Tavro", "Copy Link"));
    copy->setObjectName(QStringLiteral("copyLink"));
    connect(copy, &QAction::triggered, this, &ShareMenu::copyLink);
    // A desktop without a sharing picker gets no item that would do nothing.
    if (SharingPicker::isAvailable()) {
        menu->addSeparator();
        //: Item of the Share Tavro menu in the Settings sidebar that shows the system's share sheet.
        QAction* share = menu->addAction(QCoreApplication::translate("Tavro", "Share…"));
        share->setObjectName(QStringLiteral("share"));
        connect(share, &QAction::triggered, this, &ShareMenu::showSharingPicker);
    }
    setMenu(menu);
}

void ShareMenu::showEvent(QShowEvent* event)
{
    QToolButton::showEvent(event);
    applyColours();
}

bool ShareMenu::event(QEvent* event)
{
    if (event->type() == appearanceChanged() || event->type() == QEvent::ApplicationPaletteChange)
        applyColours();
    return QToolButton::event(event);
}

void ShareMenu::applyColours()
{
    // The pressed button and the open menu, a window of its own, in the brand's colours too.
    const QColor navy = resolve(Brand::navy, this);
    QPalette palette = brandPalette(effectiveAppearance(this));
    setPalette(palette);
    menu()->setPalette(palette);
    setIcon(symbolIcon(QStringLiteral("square.and.arrow.up"), navy));
    const QList<QAction*> actions = menu()->actions();
    for (QAction* action : actions) {
        if (action->objectName() == QLatin1String("copyLink"))
            action->setIcon(symbolIcon(QStringLiteral("link"), navy));
        else if (action->objectName() == QLatin1String("share"))
            action->setIcon(symbolIcon(QStringLiteral("square.and.arrow.up"), navy));
    }
}

void ShareMenu::copyLink()
{
    const auto link = shareLink(QLatin1Char('a'));
    if (!link)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(link->toString(QUrl::FullyEncoded));
}

void ShareMenu::showSharingPicker()
{
    const auto link = shareLink(QLatin1Char('a'));
    if (!link)
        return;
    // Attached to the button's own area, opening on its upper side as on a Mac.
    SharingPicker::show({*link}, this, rect(), SharingPicker::Edge::maxY);
}

} // namespace tavro
