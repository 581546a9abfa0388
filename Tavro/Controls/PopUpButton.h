#pragma once

#include <QComboBox>

namespace tavro {

// A pop-up menu of Preferences and onboarding. Its choice changes only when the user opens it
// and chooses: a wheel over it scrolls what it sits in, and the arrow keys open it rather than
// step through its items (each step would be a choice, and a write of the settings).
class PopUpButton : public QComboBox
{
    Q_OBJECT
public:
    explicit PopUpButton(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tavro
