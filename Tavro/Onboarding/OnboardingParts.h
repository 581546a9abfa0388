#pragma once
// The pieces the onboarding window and its steps are built from, so that every step reads alike:
// the padded column, the headings, the buttons and the scrolling area.

#include <QString>

class QPushButton;
class QScrollArea;
class QVBoxLayout;
class QWidget;

namespace tavro {

class BrandLabel;

namespace OnboardingParts {

// A step's column: leading-aligned, padded on every side.
QVBoxLayout* column(QWidget* step, int spacing);
// A heading in navy that screen readers announce as one.
BrandLabel* heading(const QString& text, double points);
// The title at the top of a step.
BrandLabel* title(const QString& text);
// A button in Tavro's style, prominent or plain, with the pointing hand.
QPushButton* button(const QString& text, bool prominent);
// Puts `item` inside `button`, `inset` from its leading edge, in the room that leading spaces
// in the button's label leave for it.
void placeBeforeLabel(QPushButton* button, QWidget* item, int inset);
// A frameless area that scrolls `content` up and down over the window's background. Scrolling is
// no stop for the keyboard: Tab goes to what the area holds.
QScrollArea* scrollArea(QWidget* content, QWidget* parent = nullptr);

} // namespace OnboardingParts

} // namespace tavro
