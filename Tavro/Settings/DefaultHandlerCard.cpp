#include "Tavro/Settings/DefaultHandlerCard.h"

#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Settings/LinkButton.h"
#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Shell/DefaultBrowserService.h"
#include "Tavro/Shell/LoginItem.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro {

namespace {

// Started and not awaited. Preferences may close before the answer lands: the read then ends with
// no answer.
QCoro::Task<> readDefault(QPointer<SettingsView> view)
{
    // No re-checks: one read on the service's own worker, away from the GUI thread.
    const std::optional<DefaultBrowserService::Answer> answer
        = co_await DefaultBrowserService::waitUntilDefault(view, 0, std::chrono::milliseconds(0));
    if (answer)
        view->setDefaultBrowser(*answer);
}

QCoro::Task<> waitForDefault(QPointer<SettingsView> view, DefaultHandlerCard::Timing timing)
{
    const std::optional<DefaultBrowserService::Answer> answer
        = co_await DefaultBrowserService::waitUntilDefault(view, timing.waitAttempts, timing.waitInterval);
    // A refusal changes nothing: the button stays. A default the desktop cannot start says why.
    if (answer && (answer->isDefault || answer->unlaunchable))
        view->setDefaultBrowser(*answer);
}

} // namespace

DefaultHandlerCard::DefaultHandlerCard(SettingsView& view, QWidget* parent) : DefaultHandlerCard(view, Timing{}, parent)
{ }

DefaultHandlerCard::DefaultHandlerCard(SettingsView& view, Timing timing, QWidget* parent)
    : StatusCard(CheckOnShow::yes, parent), m_view(&view), m_timing(timing)
{
    //: Card title in the System settings pane about making Tavro the default web browser.
    column()->addWidget(title(QCoreApplication::translate("Tavro", "Default web browser")));
    //: Explanation in the Default web browser card.
    column()->addWidget(caption(
        QCoreApplication::translate("Tavro", "Tavro only sees links when it’s set as your default web browser.")));
    connect(&view, &SettingsView::defaultBrowserChanged, this, &DefaultHandlerCard::showStatus);
    showStatus(view.isDefaultBrowser());
}

void DefaultHandlerCard::showStatus(bool isDefault)
{
    if (isDefault) {
        //: Status line when Tavro is the default web browser.
        showSatisfied(QCoreApplication::translate("Tavro", "Tavro is your default browser"));
        return;
    }
    auto* offer = new QWidget;
    auto* block = new QVBoxLayout(offer);
    block->setContentsMargins(0, 0, 0, 0);
    block->setSpacing(6);
    //: Button that asks macOS to make Tavro the default web browser.
    QWidget* setDefault = prominentButton(
        QCoreApplication::translate("Tavro", "Set Tavro as Default Browser"), [this] { setAsDefault(); });
    if (LoginItem::systemSettingsOpen()) {
        //: Link button that opens System Settings to change the default web browser. Use Apple's
        //: localized name for System Settings.
        LinkButton* openSettings = link(QCoreApplication::translate("Tavro", "Open System Settings…"),
            [] { LoginItem::openDefaultBrowserSettings(); });
        block->addWidget(row({setDefault, openSettings}, 10));
    } else {
        block->addWidget(row({setDefault}, 10));
        //: System pane, in place of the Open System Settings link on a desktop that has no such page.
        block->addWidget(caption(QCoreApplication::translate("Tavro",
            "Or choose Tavro in your desktop’s default applications settings, or run xdg-settings set "
            "default-web-browser tavro.desktop")));
    }
    m_failure = BrandLabel::wrapping(QString(), Brand::navy, Drawing::systemFont(12));
    m_failure->setObjectName(QStringLiteral("status"));
    block->addWidget(m_failure);
    showFailure(QString());
    setStatusArea(offer);
}

void DefaultHandlerCard::recheck()
{
    readDefault(m_view);
}

void DefaultHandlerCard::setAsDefault()
{
    // A refusal says why at once, below the button. An accepted request may still wait for the
    // user to confirm the system's prompt, so the checks follow either way.
    const auto requested = DefaultBrowserService::makeDefault();
    showFailure(requested ? QString() : DefaultBrowserService::failureText(requested.error()));
    waitForDefault(m_view, m_timing);
}

void DefaultHandlerCard::showFailure(const QString& requestFailure)
{
    const auto unlaunchable = m_view ? m_view->defaultBrowserUnlaunchable() : std::nullopt;
    const QString text = !requestFailure.isEmpty() || !unlaunchable
        ? requestFailure
        : DefaultBrowserService::launchFailureText(*unlaunchable);
    m_failure->setText(text);
    m_failure->setVisible(!text.isEmpty());
}

} // namespace tavro
