#pragma once
// The About pane: which Tavro runs on which system, copied in one click for a support request; the
// update settings again; the site's pages; and the developer, with a way to his other projects.

#include <QWidget>

#include <functional>

class QPushButton;

namespace tavro {

class UpdateController;

class CopiedVersion;

class AboutSettingsView : public QWidget
{
    Q_OBJECT
public:
    // `copied` is the window's confirmation state; `seeOtherProjects` switches to that pane.
    // `updates` brings the Updates card (the System pane's); without it there is none.
    AboutSettingsView(CopiedVersion& copied, std::function<void()> seeOtherProjects,
        UpdateController* updates = nullptr, QWidget* parent = nullptr);

    // "Version <version> (<build>)", "?" for a value the bundle lacks.
    static QString versionString();
    // "macOS <major>.<minor>[.<patch>][ (<build>)]".
    static QString systemString();
    // What the copy button puts on the clipboard: "Tavro ", the version line, ", ", the system line.
    static QString versionInfo();

private:
    QWidget* header();
    QWidget* versionCard();
    QWidget* onTheWebCard();
    QWidget* developerCard();
    void copyVersionInfo();
    void showCopied(bool copied);

    CopiedVersion& m_copied;
    std::function<void()> m_seeOtherProjects;
    QPushButton* m_copyButton = nullptr;
};

} // namespace tavro
