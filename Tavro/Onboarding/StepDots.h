#pragma once

#include <QWidget>

namespace tavro {

// The onboarding progress: one small circle per step, the one on screen filled in navy. Screen
// readers get the row as one element, "Step 2 of 4".
class StepDots : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDiameter = 7;
    static constexpr int kSpacing = 6;

    StepDots(int count, int active, QWidget* parent = nullptr);

    int count() const { return m_count; }
    int active() const { return m_active; }
    void setActive(int active);

    // The localised "Step 2 of 4"; `active` counts from 0.
    static QString label(int active, int count);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_count;
    int m_active;
};

} // namespace tavro
