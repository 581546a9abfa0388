#include "Tavro/Settings/AppearanceSettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/ControlTint.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PopUpButton.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/PickerPreview.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

// One segment of the appearance control. The chosen one is filled in navy with frost text, so it
// stands out plainly in either appearance; the others are the deeper frost with a chain border.
class Segment : public QToolButton
{
public:
    explicit Segment(const QString& text)
    {
        setText(text);
        setCheckable(true);
        setFont(Drawing::systemFont(12, QFont::Medium));
        setFocusPolicy(Qt::TabFocus);
        accessibilityRadioButton(this);
    }

    QSize sizeHint() const override
    {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 2 * kPadding, metrics.height() + 10};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath shape = Drawing::roundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6);
        painter.fillPath(shape, resolve(isChecked() ? Brand::navy : Brand::frostDeep, this));
        if (!isChecked())
            Drawing::strokeInside(painter, shape, resolve(Brand::chain, this), 1);
        painter.setPen(resolve(isChecked() ? Brand::frost : Brand::navy, this));
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignCenter, text());
        if (FocusRing::isShown(this))
            FocusRing::paint(painter, shape, this);
    }

private:
    static constexpr int kPadding = 14;
};

} // namespace

AppearanceSettingsView::AppearanceSettingsView(SettingsView& view, QWidget* parent)
    : QWidget(parent), m_store(view.store())
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::appearance)));

    // A segmented control: one checkable segment per appearance, a radio group to screen readers.
    auto* segments = new QWidget;
    accessibilityContainer(segments, AccessibleContainer::radioGroup);
    auto* segmentRow = new QHBoxLayout(segments);
    segmentRow->setContentsMargins(0, 0, 0, 0);
    segmentRow->setSpacing(2);
    // The segments system, light and dark, with the appearance as each one's id.
    auto* appearances = new QButtonGroup(segments);
    appearances->setExclusive(true);
    for (AppAppearance appearance : allCases<AppAppearance>()) {
        auto* segment = new Segment(label(appearance));
        appearances->addButton(segment, int(appearance));
        segmentRow->addWidget(segment);
    }
    SettingBinding::bind(appearances, SettingBinding::setting(m_store, &AppSettings::appearance));
    segments->setFixedSize(segments->sizeHint());
    column->addWidget(SettingsView::settingRow(SettingsView::title(SettingsView::Section::appearance), segments));
    //: Caption under the Appearance setting. “System” must match the System option of that setting.
    column->addWidget(SettingsCard::caption(QCoreApplication::translate("Tavro",
                                                "Applies to Preferences, the welcome window, and the picker. “System” "
                                                "follows your Mac’s Light or Dark setting."),
        12));

    auto* imagePosition = new PopUpButton;
    for (EmojiPosition position : allCases<EmojiPosition>())
        imagePosition->addItem(displayName(position), int(position));
    imagePosition->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SettingBinding::bind(imagePosition, SettingBinding::setting(m_store, &AppSettings::emojiPosition));
    //: Settings label: where a profile's emoji or photo sits on its picker petal.
    column->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Image position"), imagePosition));
    //: Caption under the Image position setting.
    column->addWidget(SettingsCard::caption(
        QCoreApplication::translate("Tavro", "Applies to every profile’s image on its petal."), 12));

    auto* card = new SettingsCard(8);
    auto* previewTitle = new BrandLabel(
        //: Title of the card in the Appearance settings that shows a sample of the picker.
        QCoreApplication::translate("Tavro", "Preview"), Brand::navy, Drawing::systemFont(13, QFont::DemiBold));
    accessibilityHeading(previewTitle);
    card->column()->addWidget(previewTitle);
    m_previewColumn = new QVBoxLayout;
    card->column()->addLayout(m_previewColumn);
    //: Caption under the picker preview in the Appearance settings.
    card->column()->addWidget(
        SettingsCard::caption(QCoreApplication::translate("Tavro", "How the picker looks when a link arrives.")));
    column->addWidget(card);

    followAppearance(this, [this] { tintControls(this); });
    connect(&m_store, &SettingsStore::settingsChanged, this, &AppearanceSettingsView::rebuildPreview);
    rebuildPreview();
}

void AppearanceSettingsView::rebuildPreview()
{
    // A new picker for each change, as the real one is built afresh each time it opens.
    delete m_preview;
    m_preview = new PickerPreview(m_store.settings().emojiPosition, kPreviewMaxWidth, false);
    m_previewColumn->addWidget(m_preview, 0, Qt::AlignHCenter);
}

} // namespace tavro
