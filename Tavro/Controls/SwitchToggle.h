#pragma once

#include <QAbstractButton>

namespace tavro {

// An on/off switch with no text of its own: a rounded track, `Brand.switchOn` when on, with a
// round knob at the end that is on. Screen readers meet it as a check box with its checked state;
// the row that holds it gives it its name.
class SwitchToggle : public QAbstractButton
{
    Q_OBJECT
public:
    // The regular size of the platform's switch.
    static constexpr QSize kSize{38, 22};

    explicit SwitchToggle(QWidget* parent = nullptr);

    QSize sizeHint() const override { return kSize; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The ring shows only for focus that came from the keyboard, not for the first widget a
    // window focuses when it opens.
};

} // namespace tavro
