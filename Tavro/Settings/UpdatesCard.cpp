#include "Tavro/Settings/UpdatesCard.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/SettingBinding.h"
#include "Tavro/Controls/SwitchToggle.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/UpdateController.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

namespace tavro {

UpdatesCard::UpdatesCard(UpdateController& updates, QWidget* parent) : SettingsCard(8, parent), m_updates(updates)
{
    //: Card title in the About settings pane for app updates.
    column()->addWidget(title(QCoreApplication::translate("Tavro", "Updates")));

    auto* checks = SettingBinding::bind(new SwitchToggle,
        updates.preference(&Updater::automaticallyChecksForUpdates, &Updater::setAutomaticallyChecksForUpdates));
    checks->setObjectName(QStringLiteral("automaticChecks"));
    //: Settings switch label: check for app updates automatically in the background.
    column()->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Notify me when there is an update"), checks));
    //: Caption under the Notify me when there is an update switch.
    column()->addWidget(caption(QCoreApplication::translate("Tavro",
        "Tavro checks for new versions in the background and shows an Update button in the menu bar when one’s "
        "ready. Turn off to only check manually.")));

    m_downloads = SettingBinding::bind(new SwitchToggle,
        updates.preference(&Updater::automaticallyDownloadsUpdates, &Updater::setAutomaticallyDownloadsUpdates));
    m_downloads->setObjectName(QStringLiteral("automaticDownloads"));
    //: Settings switch label: download and install app updates without asking. Same setting as Sparkle's
    //: Automatically download and install updates checkbox.
    column()->addWidget(
        SettingsView::settingRow(QCoreApplication::translate("Tavro", "Install updates automatically"), m_downloads));
    //: Caption under the Install updates automatically switch. Notify me when there is an update must match that
    //: switch's label. The picker is Tavro's radial link chooser.
    column()->addWidget(caption(QCoreApplication::translate("Tavro",
        "When an update is ready, Tavro installs it and reopens on its own, never while the picker is open. Needs "
        "“Notify me when there is an update”.")));

    //: Link button that checks for app updates now.
    LinkButton* checkNow
        = link(QCoreApplication::translate("Tavro", "Check for Updates…"), [this] { m_updates.checkForUpdates(); });
    m_lastChecked = new BrandLabel(QString(), Brand::textSecondary, Drawing::systemFont(11));
    m_lastChecked->setObjectName(QStringLiteral("lastChecked"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(checkNow);
    bottom->addStretch(1);
    bottom->addWidget(m_lastChecked);
    column()->addLayout(bottom);

    connect(&m_updates, &UpdateController::preferencesChanged, this, &UpdatesCard::showState);
    showState();
}

void UpdatesCard::showState()
{
    const Updater& updater = m_updates.updaterController();
    // Disabled, never switched off: the preference keeps its value for when checks come back.
    m_downloads->setEnabled(updater.automaticallyChecksForUpdates());
    const std::optional<QDateTime> last = updater.lastUpdateCheckDate();
    m_lastChecked->setVisible(last.has_value());
    if (last)
        m_lastChecked->setText(lastCheckedText(*last));
}

QString UpdatesCard::lastCheckedText(const QDateTime& date)
{
    // Qt offers only its short and long formats; the platform's medium date comes from ICU.
    const std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateTimeInstance(icu::DateFormat::kMedium, icu::DateFormat::kShort));
    QString formatted;
    if (format) {
        icu::UnicodeString text;
        format->format(UDate(date.toMSecsSinceEpoch()), text);
        formatted = QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
    } else {
        formatted = QLocale().toString(date, QLocale::ShortFormat);
    }
    //: Shown in the About settings pane's Updates card. %1 is a date and time, e.g. Oct 16, 2026 at 3:12 PM.
    return QCoreApplication::translate("Tavro", "Last checked %1").arg(formatted);
}

} // namespace tavro
