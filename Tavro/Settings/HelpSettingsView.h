#pragma once
// The Help pane: setup steps, the picker's gestures and keys as the settings make them, common
// questions, and where to ask. It never writes the settings.

#include "Tavro/Settings/SettingsView.h"

#include <QWidget>

class QVBoxLayout;

namespace tavro {

class NotificationCenter;
class SettingsStore;

class HelpSettingsView : public QWidget
{
    Q_OBJECT
public:
    struct Question
    {
        QString id; // the anchor of the same topic on the site's help page; never localised
        QString question;
        QString answer;
    };

    // "Run Setup Again" posts on `center`.
    HelpSettingsView(SettingsStore& store, NotificationCenter& center, QWidget* parent = nullptr);

    // The seven questions in order, localised afresh on every call.
    static QList<Question> questions();

    // The site page `path` tagged as clicked in Help, handed to the system; nothing when it does
    // not form a URL.
    static void open(const QString& path);

Q_SIGNALS:
    // A setup step's button, "Change these in Shortcuts" or "Open About" asks for `section` to be the
    // selected one.
    void sectionRequested(SettingsView::Section section);

private:
    QWidget* setupCard();
    QWidget* setupStep(int number, const QString& text, const QString& button, SettingsView::Section section);
    QWidget* pickerCard();
    void fillPickerRows();
    QWidget* questionsCard();
    QWidget* stillStuckCard();

    SettingsStore& m_store;
    NotificationCenter& m_center;
    QVBoxLayout* m_pickerRows = nullptr;
};

} // namespace tavro
