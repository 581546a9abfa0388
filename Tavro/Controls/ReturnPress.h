#pragma once

class QAbstractButton;

namespace tavro {

// Presses `button` on Return and on the keypad's Enter, as Space presses it: a link followed from
// the keyboard, a cell of a grid taken. Return with another modifier is left to whoever takes it.
// Idempotent.
void pressOnReturn(QAbstractButton* button);

} // namespace tavro
