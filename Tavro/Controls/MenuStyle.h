#pragma once

#include <QProxyStyle>

namespace tavro {

// The style of every menu of Tavro (the status menu and its submenus, the share menu): the
// highlighted row draws a symbol's icon in the highlighted text colour, as a Mac draws a template
// image, where Qt's own style keeps the icon's colour (navy on the navy highlight). Icons of more
// than one colour (a browser's) keep theirs.
class MenuStyle : public QProxyStyle
{
    Q_OBJECT
public:
    static MenuStyle* shared();

    void drawControl(
        ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override;
};

} // namespace tavro
