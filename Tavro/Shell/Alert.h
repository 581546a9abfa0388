#pragma once
// The one way the shell shows a modal alert. A test sets the next answers ahead of time; the
// alert is then recorded instead of shown, so failure roads run without anyone to click.

#include <QList>
#include <QString>
#include <QStringList>

namespace tavro {

class Alert
{
public:
    enum class Style { warning, informational, critical };

    // Answers follow the platform's numbering: the first button added answers 1000, the next 1001…
    static constexpr int kFirstButtonReturn = 1000;
    static constexpr int kSecondButtonReturn = 1001;
    static constexpr int kThirdButtonReturn = 1002;

    QString messageText;
    QString informativeText;
    Style style = Style::warning;
    QStringList buttonTitles;

    void addButton(const QString& title) { buttonTitles.append(title); }

    // Shows the alert and waits for the user's answer; a queued test answer is returned at once.
    int runModal() const;

    // Closes every alert shown now, each as its last (harmless) button answers it. A modal alert
    // would keep the keyboard and the mouse from a picker that a new link brings up.
    static void closeShownAlerts();

    // Test control: the answers of the next alerts, in order, and the alerts they answered.
    static void answerNextWith(int response);
    static QList<Alert> answeredAlerts();
    static void resetTestAnswers();
};

} // namespace tavro
