#include "Tavro/Onboarding/ControlTint.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Picker/Appearance.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace tavro {

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
        palette.setColor(QPalette::Window, resolve(Brand::frostDeep, menu));
        menu->setPalette(palette);
    }
    for (QCheckBox* box : root->findChildren<QCheckBox*>()) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, resolve(Brand::frost, box));
        palette.setColor(QPalette::Window, resolve(Brand::frost, box));
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
