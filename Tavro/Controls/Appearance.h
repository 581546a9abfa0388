#pragma once

#include "Tavro/Model/ColorPair.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QColor>
#include <QEvent>
#include <QPalette>

#include <functional>
#include <optional>

class QWidget;

namespace tavro {

// The two standard appearances every colour pair is resolved against.
enum class Appearance { light, dark };

// Which appearance a widget draws in: the nearest explicit appearance set on it or one of its
// parents (as a window's forced appearance reaches every view inside), else the system's.
Appearance effectiveAppearance(const QWidget* widget);
std::optional<Appearance> explicitAppearance(const QWidget* widget);
// Sets the appearance of `widget` and everything in it. Widgets that look colours up when they
// paint follow at once; one that keeps a colour (a palette, an icon) hears appearanceChanged().
void setExplicitAppearance(QWidget* widget, std::optional<Appearance> appearance);
// The event every widget of a window receives after its appearance was set.
QEvent::Type appearanceChanged();
// The system's appearance, judged by the application palette's window colour.
Appearance systemAppearance();
// Runs `apply` whenever `widget` shows and whenever its appearance changes, for a widget that
// keeps colours (a palette, a style sheet) rather than looking them up when it paints.
void followAppearance(QWidget* widget, std::function<void()> apply);
// Qt's own controls' palette in `appearance`, from the named colours: what menus, alerts and the
// lists of pop-ups draw with.
QPalette brandPalette(Appearance appearance);
// The whole application's appearance, as a Mac app's own appearance reaches its menus and alerts
// too: `appearance` makes the application palette the brand's in it; none gives the system's back.
void setApplicationAppearance(std::optional<Appearance> appearance);
// The explicit appearance the setting asks for; `system` asks for none.
std::optional<Appearance> appearanceFor(AppAppearance setting);

inline QColor resolve(const ColorPair& pair, Appearance appearance)
{
    return pair.color(appearance == Appearance::dark);
}
QColor resolve(const ColorPair& pair, const QWidget* widget);
// The same colour at a lower opacity, for fills and rings drawn "at opacity x".
QColor withOpacity(QColor color, double opacity);

} // namespace tavro
