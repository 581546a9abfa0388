#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <optional>

class QAction;
class QMenu;

namespace tavro {

// A status-menu title built once per menu build: an optional icon, the text and, where a column is
// given, trailing text that ends at the column (a hot key, or "Private").
struct MenuTitle
{
    std::optional<QImage> image;
    QString text;
    std::optional<QString> trailing;
    std::optional<qreal> column;
    QColor trailingColor;
    QFont font;

    // The menu font, and the smaller one of the submenu's hint.
    static QFont menuFont();
    static QFont smallFont();
    // Width of a text alone in `font`, rounded up to a whole point.
    static qreal width(const QString& text, const QFont& font);

    // The width of the icon, the EN SPACE after it and the text, without the column.
    qreal leadingWidth() const;
    // The item's text for a QAction: the text, and a tab before the trailing text when a column is
    // given. A menu reads '&' as the mark of a mnemonic; the text's own (a profile named "R&D")
    // are doubled so that they show as typed.
    QString string() const;
    void applyTo(QAction& action) const;
    // Draws the trailing text of a menu's items in the colour their titles give it; Qt's own menu
    // draws the text after the tab in the label's colour. The menu and its submenus share it.
    static void styleMenu(QMenu& menu);

    bool operator==(const MenuTitle& other) const;
};

} // namespace tavro
