#include "Tavro/Settings/NodeColorPopover.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/ColorSwatchButton.h"
#include "Tavro/Settings/PopoverPlacement.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace tavro {

namespace {
constexpr int popoverWidth = 220;
constexpr int inset = 14;
constexpr int columns = 4;
constexpr int spacing = 8;
constexpr int gapBelowAnchor = 4;
} // namespace

NodeColorPopover::NodeColorPopover(std::optional<quint32> colorHex, QWidget* anchor)
    : QWidget(anchor, Qt::Popup | Qt::FramelessWindowHint), m_anchor(anchor)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(inset, inset, inset, inset);
    column->setSpacing(10);

    //: Title of the popover that chooses a profile's petal background color in Settings.
    m_title = new QLabel(QCoreApplication::translate("Tavro", "Petal color"), this);
    m_title->setFont(Drawing::systemFont(12, QFont::Bold));
    accessibilityHeading(m_title);
    column->addWidget(m_title, 0, Qt::AlignLeading);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(spacing);
    grid->setVerticalSpacing(spacing);
    auto add = [&](const std::optional<PetalTint>& tint) {
        const bool selected = tint ? colorHex == tint->hex : !colorHex;
        auto* swatch = new ColorSwatchButton(tint, selected, this);
        const int index = int(m_swatches.size());
        grid->addWidget(swatch, index / columns, index % columns, Qt::AlignCenter);
        m_swatches.append(swatch);
        connect(swatch, &QAbstractButton::clicked, this, [this, tint] {
            const std::optional<quint32> hex = tint ? std::optional(tint->hex) : std::nullopt;
            close();
            Q_EMIT chosen(hex);
        });
    };
    add(std::nullopt);
    for (const PetalTint& tint : Brand::petalTints())
        add(tint);
    column->addLayout(grid);
    column->setAlignment(grid, Qt::AlignLeading | Qt::AlignTop);
    setFixedSize(popoverWidth, column->sizeHint().height());
}

void NodeColorPopover::popUp()
{
    if (m_anchor)
        move(PopoverPlacement::topLeft(*m_anchor, size(), gapBelowAnchor));
    show();
    // Keyboard focus starts on the marked swatch, where the eye already is.
    const auto marked = std::find_if(m_swatches.cbegin(), m_swatches.cend(), [](auto* s) { return s->isSelected(); });
    if (marked != m_swatches.cend())
        (*marked)->setFocus(Qt::PopupFocusReason);
    else if (!m_swatches.isEmpty())
        m_swatches.first()->setFocus(Qt::PopupFocusReason);
}

void NodeColorPopover::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = effectiveAppearance(this);
    painter.fillRect(rect(), resolve(Brand::frost, appearance));
    // The title follows the appearance too, which can change while the popover is open.
    const QColor navy = resolve(Brand::navy, appearance);
    if (m_title->palette().color(QPalette::WindowText) != navy) {
        QPalette palette = m_title->palette();
        palette.setColor(QPalette::WindowText, navy);
        m_title->setPalette(palette);
    }
    Drawing::strokeInside(painter, Drawing::roundedRect(QRectF(rect()), 0), resolve(Brand::divider, appearance), 1);
}

void NodeColorPopover::mousePressEvent(QMouseEvent* event)
{
    // A popup sees every press while it is open. Qt hands a press outside on to the widget under
    // it once the popup has closed; on the anchor that would open the popover again at once.
    if (!rect().contains(event->position().toPoint()) && m_anchor) {
        const QPoint onAnchor = m_anchor->mapFromGlobal(event->globalPosition().toPoint());
        setAttribute(Qt::WA_NoMouseReplay, m_anchor->rect().contains(onAnchor));
    }
    QWidget::mousePressEvent(event);
}

void NodeColorPopover::hideEvent(QHideEvent* event)
{
    setAttribute(Qt::WA_NoMouseReplay, false);
    QWidget::hideEvent(event);
    Q_EMIT dismissed();
}

} // namespace tavro
