#include "Tavro/Controls/ControlTint.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Model/Brand.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

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

} // namespace

void tintControls(QWidget* root)
{
    for (QComboBox* menu : root->findChildren<QComboBox*>()) {
        QPalette palette = menu->palette();
        palette.setColor(QPalette::Highlight, resolve(Brand::navy, menu));
        palette.setColor(QPalette::HighlightedText, resolve(Brand::frost, menu));
        palette.setColor(QPalette::Button, resolve(Brand::frostDeep, menu));
        palette.setColor(QPalette::ButtonText, resolve(Brand::navy, menu));
        palette.setColor(QPalette::Base, resolve(Brand::frost, menu));
        palette.setColor(QPalette::Text, resolve(Brand::navy, menu));
        palette.setColor(QPalette::WindowText, resolve(Brand::navy, menu));
        palette.setColor(QPalette::Window, frameSource(menu));
        menu->setPalette(palette);
        // The open list is a window of its own, framed in the window colour: it keeps the frost.
        if (QWidget* list = menu->view()->parentWidget()) {
            QPalette listPalette = list->palette();
            listPalette.setColor(QPalette::Base, resolve(Brand::frost, menu));
            listPalette.setColor(QPalette::Window, resolve(Brand::frost, menu));
            listPalette.setColor(QPalette::Text, resolve(Brand::navy, menu));
            listPalette.setColor(QPalette::Highlight, resolve(Brand::navy, menu));
            listPalette.setColor(QPalette::HighlightedText, resolve(Brand::frost, menu));
            list->setPalette(listPalette);
        }
    }
    // Segments: checkable buttons; the chosen one shows pressed, in the deeper frost.
    for (QToolButton* segment : root->findChildren<QToolButton*>()) {
        if (!segment->isCheckable())
            continue;
        QPalette palette = segment->palette();
        palette.setColor(QPalette::Button, resolve(Brand::frostDeep, segment));
        palette.setColor(QPalette::ButtonText, resolve(Brand::navy, segment));
        palette.setColor(QPalette::WindowText, resolve(Brand::navy, segment));
        palette.setColor(QPalette::Window, frameSource(segment));
        segment->setPalette(palette);
    }
    for (QCheckBox* box : root->findChildren<QCheckBox*>()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, resolve(Brand::frost, box));
        palette.setColor(QPalette::Window, frameSource(box));
        palette.setColor(QPalette::Text, resolve(Brand::navy, box));
        palette.setColor(QPalette::WindowText, resolve(Brand::navy, box));
        palette.setColor(QPalette::Highlight, resolve(Brand::navy, box));
        box->setPalette(palette);
    }
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->textFormat() != Qt::MarkdownText)
            continue;
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, resolve(Brand::textSecondary, label));
        label->setPalette(palette);
    }
}

} // namespace tavro
