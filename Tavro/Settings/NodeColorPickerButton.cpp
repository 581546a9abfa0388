#include "Tavro/Settings/NodeColorPickerButton.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/ColorSwatchButton.h"
#include "Tavro/Settings/NodeColorPopover.h"

#include <QCoreApplication>
#include <QPainter>

namespace tavro {

NodeColorPickerButton::NodeColorPickerButton(std::optional<quint32> colorHex, QString profileName, QWidget* parent)
    : QAbstractButton(parent), m_colorHex(colorHex), m_profileName(std::move(profileName))
{
    installAccessibilityTraits();
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, &NodeColorPickerButton::togglePopover);
    refresh();
}

NodeColorPickerButton::~NodeColorPickerButton() = default;

void NodeColorPickerButton::setProfileName(const QString& profileName)
{
    m_profileName = profileName;
    refresh();
}

const PetalTint* NodeColorPickerButton::selectedTint() const
{
    if (!m_colorHex)
        return nullptr;
    for (const PetalTint& tint : Brand::petalTints()) {
        if (tint.hex == *m_colorHex)
            return &tint;
    }
    return nullptr;
}

QString NodeColorPickerButton::accessibilityValue() const
{
    if (const PetalTint* tint = selectedTint())
        return tint->name;
    return ColorSwatchButton::defaultName();
}

void NodeColorPickerButton::refresh()
{
    //: Accessibility label of the petal color button of a browser profile in Settings. %1 is the profile's name.
    setAccessibleName(QCoreApplication::translate("Tavro", "Petal color for %1").arg(m_profileName));
    if (const PetalTint* tint = selectedTint())
        //: Tooltip of the petal color button in Settings. %1 is the name of the chosen color.
        setToolTip(QCoreApplication::translate("Tavro", "Petal color: %1. Click to change.").arg(tint->name));
    else
        //: Tooltip of the petal color button in Settings when the profile uses the default color.
        setToolTip(QCoreApplication::translate("Tavro", "Set a background color for this profile’s petal."));
    accessibilityValueMayHaveChanged(this);
    update();
}

void NodeColorPickerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = effectiveAppearance(this);
    const PetalTint* tint = selectedTint();
    const QRectF face(QPointF((width() - 30) / 2.0, (height() - 26) / 2.0), QSizeF(30, 26));
    const QPainterPath shape = Drawing::roundedRect(face, 7);
    painter.fillPath(shape, resolve(tint ? ColorPair{tint->hex, tint->darkHex} : Brand::frost, appearance));
    const QColor border = resolve(m_hovering || tint ? Brand::chainDark : Brand::divider, appearance);
    Drawing::strokeInside(painter, shape, border, 1, tint ? QList<qreal>{} : QList<qreal>{3, 2});
    if (!tint) {
        const QRectF symbol(face.center() - QPointF(5.5, 5.5), QSizeF(11, 11));
        SymbolImage::paint(painter, symbol, QStringLiteral("paintpalette"), resolve(Brand::textSecondary, appearance));
    }
    if (FocusRing::isShown(this))
        FocusRing::paint(painter, shape, this);
}

void NodeColorPickerButton::enterEvent(QEnterEvent* event)
{
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void NodeColorPickerButton::leaveEvent(QEvent* event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void NodeColorPickerButton::togglePopover()
{
    if (m_popover) {
        m_popover->hide();
        return;
    }
    m_popover = new NodeColorPopover(m_colorHex, this);
    connect(m_popover, &NodeColorPopover::chosen, this, &NodeColorPickerButton::selected);
    connect(m_popover, &NodeColorPopover::dismissed, this, [this] {
        if (m_popover)
            m_popover->deleteLater();
        m_popover = nullptr;
    });
    m_popover->popUp();
}

} // namespace tavro
