#include "Tavro/Onboarding/WelcomeStepView.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Onboarding/OnboardingParts.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

WelcomeStepView::WelcomeStepView(bool isDefaultBrowser, const QString& failure, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("welcome"));
    auto* column = OnboardingParts::column(this, 16);
    //: Onboarding step 1 title: make Tavro the default web browser so it receives links.
    column->addWidget(OnboardingParts::title(QCoreApplication::translate("Tavro", "Become your link handler")));
    //: Onboarding step 1 explanation.
    column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro",
                                               "To send links to the right place, Tavro needs to be your default web "
                                               "browser. macOS will then hand every external link to Tavro instead of "
                                               "opening one fixed browser."),
        Brand::textSecondary, Drawing::systemFont(13)));

    if (isDefaultBrowser) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 4, 0, 4);
        row->setSpacing(8);
        row->addWidget(
            new SymbolIcon(QStringLiteral("checkmark.seal.fill"), Brand::accent, QSize(18, 18)), 0, Qt::AlignVCenter);
        //: Onboarding confirmation once Tavro is the default web browser.
        row->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "Tavro is your default browser."),
                           Brand::navy, Drawing::systemFont(13, QFont::DemiBold)),
            1, Qt::AlignVCenter);
        column->addLayout(row);
    } else {
        //: Button that asks macOS to make Tavro the default web browser.
        auto* button
            = OnboardingParts::button(QCoreApplication::translate("Tavro", "Set Tavro as Default Browser"), true);
        button->setObjectName(QStringLiteral("makeDefault"));
        connect(button, &QPushButton::clicked, this, &WelcomeStepView::makeDefaultRequested);
        column->addWidget(button, 0, Qt::AlignLeft);
        //: Caption under the Set Tavro as Default Browser button in onboarding.
        column->addWidget(BrandLabel::wrapping(QCoreApplication::translate("Tavro", "macOS will ask you to confirm."),
            Brand::textSecondary, Drawing::systemFont(11)));
        m_failure = BrandLabel::wrapping(QString(), Brand::navy, Drawing::systemFont(12));
        m_failure->setObjectName(QStringLiteral("defaultBrowserFailure"));
        column->addWidget(m_failure);
        showFailure(failure);
    }
    column->addStretch(1);
}

void WelcomeStepView::showFailure(const QString& failure)
{
    if (!m_failure)
        return;
    m_failure->setText(failure);
    m_failure->setVisible(!failure.isEmpty());
}

} // namespace tavro
