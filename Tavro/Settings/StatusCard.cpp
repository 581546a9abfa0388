#include "Tavro/Settings/StatusCard.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/HintBanner.h"
#include "Tavro/Controls/SymbolIcon.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Platform/Application.h"
#include "Tavro/Settings/LinkButton.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavro {

StatusCard::StatusCard(CheckOnShow checkOnShow, QWidget* parent) : SettingsCard(8, parent), m_checkOnShow(checkOnShow)
{ }

void StatusCard::setStatusArea(QWidget* status)
{
    if (m_status) {
        m_status->hide();
        m_status->deleteLater();
    }
    m_status = status;
    column()->addWidget(m_status);
}

void StatusCard::showSatisfied(const QString& status)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(7);
    layout->addWidget(new SymbolIcon(QStringLiteral("checkmark.seal.fill"), Brand::accent, QSize(16, 16), row));
    auto* line = new BrandLabel(status, Brand::navy, Drawing::systemFont(12, QFont::DemiBold), row);
    line->setObjectName(QStringLiteral("status"));
    layout->addWidget(line);
    layout->addStretch(1);
    layout->addWidget(recheckLink());
    setStatusArea(row);
}

LinkButton* StatusCard::recheckLink()
{
    return link(HintBanner::recheckText(), [this] { recheck(); });
}

void StatusCard::showEvent(QShowEvent* event)
{
    SettingsCard::showEvent(event);
    if (m_activation)
        return;
    m_activation = Application::whenBecameActive(this, [this] { recheck(); });
    if (m_checkOnShow == CheckOnShow::yes)
        recheck();
}

void StatusCard::hideEvent(QHideEvent* event)
{
    SettingsCard::hideEvent(event);
    disconnect(m_activation);
    m_activation = {};
}

} // namespace tavro
