#pragma once
// The About pane: which Tavro runs on which system, copied in one click for a support request; the
// update settings again; the site's pages; and the developer, with a way to his other projects.

#include <QWidget>

class QPushButton;

namespace tavro {

class UpdateController;

class CopiedVersion;

class AboutSettingsView : public QWidget
{
    Q_OBJECT
public:
    // `copied` is the window's confirmation state. `updates` brings the Updates card (the System
    // pane's); without it there is none.
    explicit AboutSettingsView(CopiedVersion& copied, UpdateController* updates = nullptr, QWidget* parent = nullptr);

    // "Version <version> (<build>)", "?" for a value the bundle lacks.
    static QString versionString();
    // "macOS <major>.<minor>[.<patch>][ (<build>)]".
    static QString systemString();
    // What the copy button puts on the clipboard: "Tavro ", the version line, ", ", the system line.
    static QString versionInfo();

Q_SIGNALS:
    // "See Other Projects" asks for that pane.
    void otherProjectsRequested();

private:
    QWidget* header();
    QWidget* versionCard();
    QWidget* onTheWebCard();
    QWidget* developerCard();
    void copyVersionInfo();
    void showCopied(bool copied);

    CopiedVersion& m_copied;
    QPushButton* m_copyButton = nullptr;
};

} // namespace tavro
