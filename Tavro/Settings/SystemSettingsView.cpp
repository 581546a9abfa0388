#include "Tavro/Settings/SystemSettingsView.h"
#include "Tavro/Platform/AutostartEntry.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/DefaultHandlerCard.h"
#include "Tavro/Settings/SettingsCard.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/UpdatesCard.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QVBoxLayout>

namespace tavro {

SystemSettingsView::SystemSettingsView(SettingsView& view, QWidget* parent) : QWidget(parent), m_view(view)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    SettingsStore& store = m_view.store();

    column->addWidget(SettingsView::sectionTitle(SettingsView::title(SettingsView::Section::system)));

    auto* login = SettingBinding::bind(new SwitchToggle,
        SettingBinding::setting(
            store, [](const AppSettings& s) { return s.launchAtLogin; }, [this](bool on) { setLaunchAtLogin(on); }));
    login->setObjectName(QStringLiteral("launchAtLogin"));
    //: Settings switch label: start Tavro automatically when the user logs in.
    column->addWidget(SettingsView::settingRow(QCoreApplication::translate("Tavro", "Launch Tavro at login"), login));

    auto* menuBarIcon
        = SettingBinding::bind(new SwitchToggle, SettingBinding::setting(store, &AppSettings::showMenuBarIcon));
    menuBarIcon->setObjectName(QStringLiteral("showMenuBarIcon"));
    //: Settings switch label: show Tavro's icon in the macOS menu bar.
    column->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Show menu bar icon"), menuBarIcon));
    //: Caption under the Show menu bar icon switch, shown while the icon is hidden. Preferences is the name of the
    //: menu bar item that opens this window.
    m_iconCaption = SettingsCard::caption(QCoreApplication::translate(
        "Tavro", "To get back to Preferences, open Tavro again from your Applications folder."));
    m_iconCaption->setObjectName(QStringLiteral("menuBarIconCaption"));
    column->addWidget(m_iconCaption);

    auto* defaultCard = new DefaultHandlerCard(m_view);
    column->addSpacing(4);
    column->addWidget(defaultCard);

    if (UpdateController* updates = m_view.updates())
        column->addWidget(new UpdatesCard(*updates));

    connect(&store, &SettingsStore::settingsChanged, this, &SystemSettingsView::showIconCaption);
    showIconCaption();
}

void SystemSettingsView::setLaunchAtLogin(bool on)
{
    SettingsStore& store = m_view.store();
    store.edit([on](AppSettings& s) { s.launchAtLogin = on; });
    // The stored preference first, then the system. A refusal must not read as done: the setting
    // (and with it the switch) follows what the system keeps: off after a refused registration, on
    // after a refused removal of an entry that is still there. LoginItem has logged the refusal.
    if (!LoginItem::setEnabled(on)) {
        const bool registered = !on && AutostartEntry::status() != AutostartEntry::Status::notRegistered;
        store.edit([registered](AppSettings& s) { s.launchAtLogin = registered; });
    }
}

void SystemSettingsView::showIconCaption()
{
    m_iconCaption->setVisible(!m_view.store().settings().showMenuBarIcon);
}

} // namespace tavro
