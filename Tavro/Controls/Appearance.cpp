#include "Tavro/Controls/Appearance.h"

#include "Tavro/Model/Brand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace tavro {

namespace {

constexpr auto appearanceProperty = "tavroAppearance";

class AppearanceFollower : public QObject
{
public:
    AppearanceFollower(QWidget* widget, std::function<void()> apply) : QObject(widget), m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == appearanceChanged()
            || event->type() == QEvent::ApplicationPaletteChange)
            m_apply();
        return false;
    }

private:
    std::function<void()> m_apply;
};

} // namespace

void followAppearance(QWidget* widget, std::function<void()> apply)
{
    new AppearanceFollower(widget, std::move(apply));
}

QPalette brandPalette(Appearance appearance)
{
    const auto colour = [appearance](const ColorPair& pair) { return resolve(pair, appearance); };
    QPalette palette;
    palette.setColor(QPalette::Window, colour(Brand::frost));
    palette.setColor(QPalette::WindowText, colour(Brand::navy));
    palette.setColor(QPalette::Base, colour(Brand::frost));
    palette.setColor(QPalette::AlternateBase, colour(Brand::frostDeep));
    palette.setColor(QPalette::Text, colour(Brand::navy));
    palette.setColor(QPalette::Button, colour(Brand::frostDeep));
    palette.setColor(QPalette::ButtonText, colour(Brand::navy));
    palette.setColor(QPalette::Highlight, colour(Brand::fill));
    palette.setColor(QPalette::HighlightedText, colour(Brand::onFill));
    palette.setColor(QPalette::ToolTipBase, colour(Brand::frostDeep));
    palette.setColor(QPalette::ToolTipText, colour(Brand::navy));
    palette.setColor(QPalette::PlaceholderText, colour(Brand::textSecondary));
    palette.setColor(QPalette::Link, colour(Brand::ice));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, colour(Brand::chainDark));
    palette.setColor(QPalette::Disabled, QPalette::Text, colour(Brand::chainDark));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, colour(Brand::chainDark));
    // Qt's style draws frames and bevels from these.
    palette.setColor(QPalette::Light, colour(Brand::frost).lighter(110));
    palette.setColor(QPalette::Midlight, colour(Brand::divider));
    palette.setColor(QPalette::Mid, colour(Brand::chain));
    palette.setColor(QPalette::Dark, colour(Brand::chainDark));
    palette.setColor(QPalette::Shadow, Qt::black);
    return palette;
}

void setApplicationAppearance(std::optional<Appearance> appearance)
{
    // The system's palettes, as they were before Tavro first chose one of its own; menus have one
    // of their own from the platform's theme.
    static const QPalette system = QApplication::palette();
    static const QPalette systemMenus = QApplication::palette("QMenu");
    QApplication::setPalette(appearance ? brandPalette(*appearance) : system);
    QApplication::setPalette(appearance ? brandPalette(*appearance) : systemMenus, "QMenu");
}

std::optional<Appearance> explicitAppearance(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant value = w->property(appearanceProperty);
        if (value.isValid())
            return value.toInt() == int(Appearance::dark) ? Appearance::dark : Appearance::light;
    }
    return std::nullopt;
}

void setExplicitAppearance(QWidget* widget, std::optional<Appearance> appearance)
{
    widget->setProperty(appearanceProperty, appearance ? QVariant(int(*appearance)) : QVariant());
    QEvent changed(appearanceChanged());
    QCoreApplication::sendEvent(widget, &changed);
    for (QWidget* child : widget->findChildren<QWidget*>())
        QCoreApplication::sendEvent(child, &changed);
    widget->update();
}

QEvent::Type appearanceChanged()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

Appearance systemAppearance()
{
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128 ? Appearance::dark : Appearance::light;
}

Appearance effectiveAppearance(const QWidget* widget)
{
    return explicitAppearance(widget).value_or(systemAppearance());
}

std::optional<Appearance> appearanceFor(AppAppearance setting)
{
    switch (setting) {
    case AppAppearance::light:
        return Appearance::light;
    case AppAppearance::dark:
        return Appearance::dark;
    case AppAppearance::system:
        break;
    }
    return std::nullopt;
}

QColor resolve(const ColorPair& pair, const QWidget* widget)
{
    return resolve(pair, effectiveAppearance(widget));
}

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

} // namespace tavro
