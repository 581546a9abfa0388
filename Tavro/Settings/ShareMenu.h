#pragma once
// "Share Tavro" in the Preferences sidebar: a compose page per social network holding the tagline
// and a share link, "Copy Link", and the system's sharing picker next to the menu's own button.

#include "Tavro/Controls/Appearance.h"

#include <QIcon>
#include <QToolButton>

#include <functional>

namespace tavro {

class ShareMenu : public QToolButton
{
    Q_OBJECT
public:
    explicit ShareMenu(QWidget* parent = nullptr);

    // The message each network's compose page starts with: the tagline, localised now.
    static QString tagline();
    // The 16 × 16 icon of the picture `name` from the resource bundle's social/ folder. With a
    // "<name>-dark" picture too, it draws the one that `appearance` gives each time it is drawn;
    // with no light picture it is blank, a dark one notwithstanding.
    static QIcon icon(const QString& name, std::function<Appearance()> appearance);

    static constexpr int kIconSize = 16;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Navy for the window's appearance, on the label and the icons.
    void applyColours();
    void copyLink();
    void showSharingPicker();
};

} // namespace tavro
