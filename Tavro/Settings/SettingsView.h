#pragma once
// The content of the Preferences window: a fixed sidebar listing the sections, a divider, and the
// pane of the section shown. The delegate hosts one per window, as the window itself.

#include "Tavro/Model/SettingsSection.h"
#include "Tavro/Shell/DefaultBrowserService.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <optional>
#include <span>

class QVBoxLayout;

namespace tavro {

class BrandLabel;
class CopiedVersion;
class NotificationCenter;
class SettingsStore;
class UpdateController;

class SettingsView : public QWidget
{
    Q_OBJECT
public:
    // In sidebar order; each has its row in the table of sections (SettingsView.cpp).
    using Section = SettingsSection;

    static constexpr QSize kMinimumSize{720, 660};
    static constexpr int kSidebarWidth = 206;
    static constexpr int kSidebarPadding = 12;
    static constexpr int kSidebarSpacing = 4;
    static constexpr double kSidebarMarkSize = 120;
    static constexpr int kPanePadding = 24;
    static constexpr double kAboutMarkSize = 420;
    static constexpr double kAboutMarkOpacity = 0.035;

    // The English name, the section's identity; never localised.
    static QString rawValue(Section section);
    // The localised name, looked up afresh on every call.
    static QString title(Section section);
    // The name of the section's symbol.
    static QString icon(Section section);
    // The section whose raw value is exactly `rawValue` (case and spacing count); none otherwise.
    static std::optional<Section> fromRawValue(const QString& rawValue);
    static const QList<Section>& allCases();

    // The panes' building blocks. Titles take text the caller localised already.
    static BrandLabel* sectionTitle(const QString& title);
    static BrandLabel* subsectionTitle(const QString& title);
    static constexpr int kRowLabelWidth = 180;
    static constexpr int kRowSpacing = 14;
    // `label` in a fixed column, kept from screen readers, then `control`, which carries the label
    // as its accessible name, then the rest of the width.
    static QWidget* settingRow(const QString& label, QWidget* control);

    // `initialSection` is shown once the view first comes on screen. The view follows "tavro.showSettingsSection"
    // posted on `center`. `updates` feeds the Updates card; a view built without one shows no such card.
    SettingsView(SettingsStore& store, Section initialSection, NotificationCenter& center, QWidget* parent = nullptr,
        UpdateController* updates = nullptr);
    ~SettingsView() override;

    SettingsStore& store() const { return m_store; }
    NotificationCenter& notificationCenter() const { return m_center; }
    UpdateController* updates() const { return m_updates; }

    // The last known Accessibility trust, read when the view is built; the Accessibility cards of
    // both panes that show one keep it current.
    bool accessibilityGranted() const { return m_accessibilityGranted; }
    void setAccessibilityGranted(bool granted);
    // The newest known answer to whether Tavro is the default browser; false until the System pane's
    // card has asked. An answer read before the one kept changes nothing, whenever it lands.
    bool isDefaultBrowser() const { return m_defaultBrowser.isDefault; }
    // Why the desktop cannot start Tavro while its settings name it, in that newest answer.
    std::optional<EntryLaunchError> defaultBrowserUnlaunchable() const { return m_defaultBrowser.unlaunchable; }
    void setDefaultBrowser(const DefaultBrowserService::Answer& answer);

Q_SIGNALS:
    // A link to open through Tavro's own routing (a project's page).
    void routeRequested(const QUrl& url);
    void accessibilityGrantedChanged(bool granted);
    void defaultBrowserChanged(bool isDefault);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct SectionEntry;
    static std::span<const SectionEntry> sections();
    static const SectionEntry& entry(Section section);

    QWidget* buildSidebar();
    // What the footer shows above the developer credit: the share menu's place.
    QWidget* makeShareMenu();
    void setSelection(Section section);
    // Builds the pane of the section selected, afresh each time, named by the section's raw value.
    void showPane();

    SettingsStore& m_store;
    NotificationCenter& m_center;
    // About's "Copied", kept while the window lives so switching sections leaves it as it was.
    CopiedVersion* m_copiedVersion;
    Section m_initialSection;
    Section m_selection = Section::destinations;
    bool m_hasAppeared = false;
    QWidget* m_sidebar = nullptr;
    QWidget* m_contentArea = nullptr;
    QVBoxLayout* m_contentLayout = nullptr;
    QPointer<QWidget> m_paneHolder;
    UpdateController* m_updates;
    bool m_accessibilityGranted;
    DefaultBrowserService::Answer m_defaultBrowser;
};

} // namespace tavro
