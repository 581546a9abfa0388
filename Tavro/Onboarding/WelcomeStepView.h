#pragma once
// The first onboarding step: asks macOS to make Tavro the default web browser, or confirms that
// it is. The window waits for the answer; the step only reports the press.

#include <QWidget>

namespace tavro {

class BrandLabel;

class WelcomeStepView : public QWidget
{
    Q_OBJECT
public:
    // `failure` says why the last request to become the default browser failed, if it did.
    WelcomeStepView(bool isDefaultBrowser, const QString& failure, QWidget* parent = nullptr);

    // Shows why the last request failed below the button; an empty text hides the line.
    void showFailure(const QString& failure);

Q_SIGNALS:
    // The user pressed "Set Tavro as Default Browser".
    void makeDefaultRequested();

private:
    // None once Tavro is the default browser: the button is gone.
    BrandLabel* m_failure = nullptr;
};

} // namespace tavro
