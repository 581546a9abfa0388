#include "Tavro/Picker/Appearance.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace tavro {

namespace {
constexpr auto appearanceProperty = "tavroAppearance";
} // namespace

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
