#include "Tavro/Shell/Alert.h"

#include "Tavro/Controls/FocusRing.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace tavro {

namespace {
QList<int>& queuedAnswers()
{
    static QList<int> answers;
    return answers;
}
QList<Alert>& answered()
{
    static QList<Alert> alerts;
    return alerts;
}
// The alerts running now, innermost last.
QList<QPointer<QMessageBox>>& shownBoxes()
{
    static QList<QPointer<QMessageBox>> boxes;
    return boxes;
}
QMessageBox::Icon iconFor(Alert::Style style)
{
    switch (style) {
    case Alert::Style::warning:
        return QMessageBox::Warning;
    case Alert::Style::informational:
        return QMessageBox::Information;
    case Alert::Style::critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::Warning;
}
} // namespace

int Alert::runModal() const
{
    if (!queuedAnswers().isEmpty()) {
        answered().append(*this);
        return queuedAnswers().takeFirst();
    }

    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tavro"));
    box.setIcon(iconFor(style));
    box.setText(messageText);
    box.setInformativeText(informativeText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    QList<QAbstractButton*> buttons;
    for (const QString& title : buttonTitles)
        buttons.append(box.addButton(title, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole));
    if (buttons.isEmpty())
        buttons.append(box.addButton(QMessageBox::Ok));
    for (QAbstractButton* button : buttons)
        button->setStyle(FocusRing::ControlStyle::shared());
    box.setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
    // Closing the window is taken as the last button, which is the harmless one in every alert.
    box.setEscapeButton(buttons.last());
    shownBoxes().append(&box);
    box.exec();
    shownBoxes().removeAll(&box);
    const qsizetype index = buttons.indexOf(box.clickedButton());
    return kFirstButtonReturn + static_cast<int>(index < 0 ? buttons.size() - 1 : index);
}

void Alert::closeShownAlerts()
{
    for (const QPointer<QMessageBox>& box : shownBoxes()) {
        if (box && box->isVisible())
            box->escapeButton()->click();
    }
}

void Alert::answerNextWith(int response)
{
    queuedAnswers().append(response);
}

QList<Alert> Alert::answeredAlerts()
{
    return answered();
}

void Alert::resetTestAnswers()
{
    queuedAnswers().clear();
    answered().clear();
}

} // namespace tavro
