#pragma once

class QAbstractButton;
class QString;

// Qt widgets have an accessible name and description but no accessible value and no "selected"
// state of their own; the emoji button reports what it shows as its value, and a grid cell holding
// the current emoji reports itself selected. Call these before anything names the widget: Qt builds
// and keeps a widget's accessible interface the first time its name changes.
namespace tavro::EmojiAccessibility {

void setValue(QAbstractButton* button, const QString& value);
void setSelected(QAbstractButton* button, bool selected);

} // namespace tavro::EmojiAccessibility
