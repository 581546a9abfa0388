#pragma once
// The first onboarding step: asks macOS to make Tavro the default web browser, or confirms that
// it is. The window waits for the answer; the step only reports the press.

#include <QWidget>

namespace tavro {

class WelcomeStepView : public QWidget
{
    Q_OBJECT
public:
    explicit WelcomeStepView(bool isDefaultBrowser, QWidget* parent = nullptr);

Q_SIGNALS:
    // The user pressed "Set Tavro as Default Browser".
    void makeDefaultRequested();
};

} // namespace tavro
