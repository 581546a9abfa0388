#include "Tavro/Onboarding/OnboardingParts.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/ScrollBarStyle.h"
#include "Tavro/Controls/TavroButtonStyle.h"
#include "Tavro/Model/Brand.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tavro::OnboardingParts {

namespace {
constexpr int kStepPadding = 28;
constexpr double kTitlePoints = 18;
} // namespace

QVBoxLayout* column(QWidget* step, int spacing)
{
    auto* column = new QVBoxLayout(step);
    column->setContentsMargins(kStepPadding, kStepPadding, kStepPadding, kStepPadding);
    column->setSpacing(spacing);
    column->setAlignment(Qt::AlignTop);
    return column;
}

BrandLabel* heading(const QString& text, double points)
{
    auto* heading = BrandLabel::wrapping(text, Brand::navy, Drawing::systemFont(points, QFont::Bold));
    accessibilityHeading(heading);
    return heading;
}

BrandLabel* title(const QString& text)
{
    return heading(text, kTitlePoints);
}

QPushButton* button(const QString& text, bool prominent)
{
    auto* button = new QPushButton(text);
    TavroButtonStyle::apply(button, prominent);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void placeBeforeLabel(QPushButton* button, QWidget* item, int inset)
{
    auto* inside = new QHBoxLayout(button);
    inside->setContentsMargins(inset, 0, 0, 0);
    inside->addWidget(item, 0, Qt::AlignVCenter);
    inside->addStretch(1);
}

QScrollArea* scrollArea(QWidget* content, QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBarStyle::apply(scroll);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setWidget(content);
    // setWidget() turns the fill on.
    content->setAutoFillBackground(false);
    return scroll;
}

} // namespace tavro::OnboardingParts
