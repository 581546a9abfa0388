#include "Tavro/Controls/ControlTint.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Model/Brand.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include <initializer_list>
#include <utility>

namespace tavro {

namespace {

// The frame Qt's standard style draws around menus, segments and check boxes is the window colour
// darkened by 140 % (check boxes lighten it by 10 % again). A window colour of `chainDark` made
// that much lighter brings the frame back to `chainDark`, which shows on either appearance's
// background; the window colour itself paints nothing, as none of these controls fills its
// background.
QColor frameSource(const QWidget* control)
{
    return resolve(Brand::chainDark, control).lighter(140);
}

// Gives `widget` its palette with `colours` in place, for every colour group.
void tint(QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours)
{
    QPalette palette = widget->palette();
    for (const auto& [role, colour] : colours)
        palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

void tintControls(QWidget* root)
{
    for (QComboBox* menu : root->findChildren<QComboBox*>()) {
        tint(menu,
            {{QPalette::Highlight, resolve(Brand::navy, menu)},
                {QPalette::HighlightedText, resolve(Brand::frost, menu)},
                {QPalette::Button, resolve(Brand::frostDeep, menu)}, {QPalette::ButtonText, resolve(Brand::navy, menu)},
                {QPalette::Base, resolve(Brand::frost, menu)}, {QPalette::Text, resolve(Brand::navy, menu)},
                {QPalette::WindowText, resolve(Brand::navy, menu)}, {QPalette::Window, frameSource(menu)}});
        // The open list is a window of its own, framed in the window colour: it keeps the frost.
        if (QWidget* list = menu->view()->parentWidget()) {
            tint(list,
                {{QPalette::Base, resolve(Brand::frost, menu)}, {QPalette::Window, resolve(Brand::frost, menu)},
                    {QPalette::Text, resolve(Brand::navy, menu)}, {QPalette::Highlight, resolve(Brand::navy, menu)},
                    {QPalette::HighlightedText, resolve(Brand::frost, menu)}});
        }
    }
    // Segments: checkable buttons; the chosen one shows pressed, in the deeper frost.
    for (QToolButton* segment : root->findChildren<QToolButton*>()) {
        if (!segment->isCheckable())
            continue;
        tint(segment,
            {{QPalette::Button, resolve(Brand::frostDeep, segment)},
                {QPalette::ButtonText, resolve(Brand::navy, segment)},
                {QPalette::WindowText, resolve(Brand::navy, segment)}, {QPalette::Window, frameSource(segment)}});
    }
    for (QCheckBox* box : root->findChildren<QCheckBox*>()) {
        if (box->style() != FocusRing::ControlStyle::shared())
            box->setStyle(FocusRing::ControlStyle::shared());
        tint(box,
            {{QPalette::Base, resolve(Brand::frost, box)}, {QPalette::Window, frameSource(box)},
                {QPalette::Text, resolve(Brand::navy, box)}, {QPalette::WindowText, resolve(Brand::navy, box)},
                {QPalette::Highlight, resolve(Brand::navy, box)}});
    }
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->textFormat() == Qt::MarkdownText)
            tint(label, {{QPalette::WindowText, resolve(Brand::textSecondary, label)}});
    }
}

} // namespace tavro
