#include "Tavro/Settings/SettingsView.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrandLabel.h"
#include "Tavro/Controls/BuiltByCredit.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/ScrollBarStyle.h"
#include "Tavro/Controls/TavroMark.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Settings/AboutSettingsView.h"
#include "Tavro/Settings/AccessibilitySettingsView.h"
#include "Tavro/Settings/AppearanceSettingsView.h"
#include "Tavro/Settings/CopiedVersion.h"
#include "Tavro/Settings/DestinationSettingsView.h"
#include "Tavro/Settings/HelpSettingsView.h"
#include "Tavro/Settings/OtherProjectsSettingsView.h"
#include "Tavro/Settings/PermissionsSettingsView.h"
#include "Tavro/Settings/PrivacySettingsView.h"
#include "Tavro/Settings/SettingsLog.h"
#include "Tavro/Settings/ShareMenu.h"
#include "Tavro/Settings/ShortcutsSettingsView.h"
#include "Tavro/Settings/SidebarRow.h"
#include "Tavro/Settings/SystemSettingsView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <ranges>

namespace tavro {

namespace {
// Gives the keyboard to the first control of `holder` that Tab stops at.
void focusFirstControl(const QWidget& holder)
{
    for (QWidget* widget : holder.findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(&holder)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
} // namespace

// One row per section, in sidebar order: its raw value, its localised title, its symbol and how
// its pane is built.
struct SettingsView::SectionEntry
{
    Section section;
    const char* rawValue;
    const char* title;
    const char* icon;
    QWidget* (*makePane)(SettingsView& view);
};

std::span<const SettingsView::SectionEntry> SettingsView::sections()
{
    static constexpr auto table = std::to_array<SectionEntry>({
        {Section::destinations, "Browsers",
            //: Settings pane title (and sidebar tab) for the list of browser profiles.
            QT_TRANSLATE_NOOP("Tavro", "Browsers"), "list.bullet",
            [](SettingsView& view) -> QWidget* { return new DestinationSettingsView(view.m_store); }},
        {Section::appearance, "Appearance",
            //: Settings label for choosing Tavro's light or dark look: System, Light, or Dark. Use Apple's localized
            //: name for the macOS Appearance setting.
            QT_TRANSLATE_NOOP("Tavro", "Appearance"), "paintpalette",
            [](SettingsView& view) -> QWidget* { return new AppearanceSettingsView(view); }},
        {Section::shortcuts, "Shortcuts",
            //: Settings sidebar tab and pane title for keyboard settings: the bypass modifier key and the global
            //: hotkeys.
            QT_TRANSLATE_NOOP("Tavro", "Shortcuts"), "keyboard",
            [](SettingsView& view) -> QWidget* { return new ShortcutsSettingsView(view); }},
        {Section::system, "System",
            //: Settings sidebar tab and pane title for general app settings (login, menu bar, default browser,
            //: updates).
            QT_TRANSLATE_NOOP("Tavro", "System"), "gearshape",
            [](SettingsView& view) -> QWidget* { return new SystemSettingsView(view); }},
        {Section::permissions, "Permissions",
            //: Settings sidebar tab and pane title for macOS privacy permissions.
            QT_TRANSLATE_NOOP("Tavro", "Permissions"), "lock.shield",
            [](SettingsView& view) -> QWidget* { return new PermissionsSettingsView(view); }},
        {Section::accessibility, "Accessibility",
            //: Settings sidebar tab and pane title for accessibility options such as reducing the picker's
            //: animation. Use the word macOS uses for its own Accessibility settings.
            QT_TRANSLATE_NOOP("Tavro", "Accessibility"), "accessibility",
            [](SettingsView& view) -> QWidget* { return new AccessibilitySettingsView(view); }},
        {Section::privacy, "Privacy",
            //: Settings sidebar tab and pane title explaining what Tavro does and doesn't do with your data.
            QT_TRANSLATE_NOOP("Tavro", "Privacy"), "hand.raised",
            [](SettingsView&) -> QWidget* { return new PrivacySettingsView; }},
        {Section::otherProjects, "Other Projects",
            //: Settings pane title (and sidebar tab) listing the developer's other apps.
            QT_TRANSLATE_NOOP("Tavro", "Other Projects"), "square.grid.2x2",
            [](SettingsView& view) -> QWidget* {
                auto* pane = new OtherProjectsSettingsView(2);
                connect(pane, &OtherProjectsSettingsView::routeRequested, &view, &SettingsView::routeRequested);
                return pane;
            }},
        {Section::help, "Help",
            //: Settings sidebar tab and pane title for setup steps, shortcuts, and common questions.
            QT_TRANSLATE_NOOP("Tavro", "Help"), "questionmark.circle",
            [](SettingsView& view) -> QWidget* {
                auto* pane = new HelpSettingsView(view.m_store, view.m_center);
                connect(pane, &HelpSettingsView::sectionRequested, &view, &SettingsView::setSelection);
                return pane;
            }},
        {Section::about, "About",
            //: Settings sidebar tab and pane title for app information.
            QT_TRANSLATE_NOOP("Tavro", "About"), "info.circle",
            [](SettingsView& view) -> QWidget* {
                auto* pane = new AboutSettingsView(*view.m_copiedVersion, view.m_updates);
                connect(pane, &AboutSettingsView::otherProjectsRequested, &view,
                    [&view] { view.setSelection(Section::otherProjects); });
                return pane;
            }},
    });
    static_assert(std::ranges::equal(table | std::views::transform(&SectionEntry::section),
                      std::views::iota(0, int(table.size())) | std::views::transform([](int i) { return Section(i); })),
        "one row per section, in the enumeration's order");
    return table;
}

const SettingsView::SectionEntry& SettingsView::entry(Section section)
{
    return sections()[std::size_t(section)];
}

QString SettingsView::rawValue(Section section)
{
    return QString::fromLatin1(entry(section).rawValue);
}

QString SettingsView::title(Section section)
{
    return QCoreApplication::translate("Tavro", entry(section).title);
}

QString SettingsView::icon(Section section)
{
    return QString::fromLatin1(entry(section).icon);
}

std::optional<SettingsView::Section> SettingsView::fromRawValue(const QString& rawValue)
{
    for (const SectionEntry& entry : sections()) {
        if (QLatin1StringView(entry.rawValue) == rawValue)
            return entry.section;
    }
    return std::nullopt;
}

const QList<SettingsView::Section>& SettingsView::allCases()
{
    static const QList<Section> cases = [] {
        QList<Section> list;
        for (const SectionEntry& entry : sections())
            list.append(entry.section);
        return list;
    }();
    return cases;
}

BrandLabel* SettingsView::sectionTitle(const QString& title)
{
    auto* label = new BrandLabel(title, Brand::navy, Drawing::systemFont(17, QFont::Bold));
    accessibilityHeading(label);
    return label;
}

BrandLabel* SettingsView::subsectionTitle(const QString& title)
{
    auto* label = new BrandLabel(title, Brand::navy, Drawing::systemFont(14, QFont::DemiBold));
    accessibilityHeading(label);
    return label;
}

QWidget* SettingsView::settingRow(const QString& label, QWidget* control)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kRowSpacing);
    auto* text = new BrandLabel(label, Brand::navy, Drawing::systemFont(13), row);
    text->setFixedWidth(kRowLabelWidth);
    // A label longer than the column wraps rather than losing its end.
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    accessibilityHidden(text);
    layout->addWidget(text, 0, Qt::AlignVCenter);
    accessibilityLabelled(control, label);
    layout->addWidget(control, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    return row;
}

SettingsView::SettingsView(SettingsStore& store, Section initialSection, NotificationCenter& center, QWidget* parent,
    UpdateController* updates)
    : QWidget(parent)
    , m_store(store)
    , m_center(center)
    , m_copiedVersion(new CopiedVersion(CopiedVersion::kResetDelay, this))
    , m_initialSection(initialSection)
    , m_updates(updates)
    , m_accessibilityGranted(Accessibility::isProcessTrusted())
{
    setMinimumSize(kMinimumSize);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_sidebar = buildSidebar();
    layout->addWidget(m_sidebar);
    // The divider is painted between the sidebar and the content area.
    layout->addSpacing(1);
    m_contentArea = new QWidget(this);
    m_contentLayout = new QVBoxLayout(m_contentArea);
    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_contentArea, 1);

    connect(&center, &NotificationCenter::posted, this, [this](const QString& name, const QVariant& payload) {
        if (name != Notifications::showSettingsSection)
            return;
        if (payload.metaType() != QMetaType::fromType<Section>()) {
            qCDebug(lcSettings) << "Ignoring a request to show a section that is not one:" << payload;
            return;
        }
        setSelection(payload.value<Section>());
    });
}

SettingsView::~SettingsView() = default;

QWidget* SettingsView::buildSidebar()
{
    auto* sidebar = new QWidget(this);
    sidebar->setFixedWidth(kSidebarWidth);
    auto* column = new QVBoxLayout(sidebar);
    column->setContentsMargins(kSidebarPadding, kSidebarPadding, kSidebarPadding, kSidebarPadding);
    column->setSpacing(kSidebarSpacing);

    column->addSpacing(4);
    column->addWidget(new TavroMark(kSidebarMarkSize, sidebar), 0, Qt::AlignHCenter);
    column->addSpacing(18);

    // The rows alone make the list of tabs that screen readers meet.
    auto* tabs = new QWidget(sidebar);
    accessibilityContainer(tabs, AccessibleContainer::pageTabList);
    auto* tabColumn = new QVBoxLayout(tabs);
    tabColumn->setContentsMargins(0, 0, 0, 0);
    tabColumn->setSpacing(kSidebarSpacing);
    for (Section section : allCases()) {
        auto* row = new SidebarRow(title(section), icon(section), tabs);
        row->setObjectName(rawValue(section));
        row->setSelected(section == m_selection);
        connect(row, &SidebarRow::clicked, this, [this, section] { setSelection(section); });
        tabColumn->addWidget(row);
    }
    column->addWidget(tabs);
    column->addStretch(1);

    auto* footer = new QWidget(sidebar);
    auto* footerColumn = new QVBoxLayout(footer);
    footerColumn->setContentsMargins(10, 0, 10, 0);
    footerColumn->setSpacing(10);
    footerColumn->addWidget(makeShareMenu());
    footerColumn->addWidget(new BuiltByCredit(QStringLiteral("settings"), footer), 0, Qt::AlignLeft);
    column->addWidget(footer);
    return sidebar;
}

QWidget* SettingsView::makeShareMenu()
{
    return new ShareMenu;
}

void SettingsView::setAccessibilityGranted(bool granted)
{
    if (m_accessibilityGranted == granted)
        return;
    m_accessibilityGranted = granted;
    Q_EMIT accessibilityGrantedChanged(granted);
}

void SettingsView::setDefaultBrowser(const DefaultBrowserService::Answer& answer)
{
    if (!answer.isNewerThan(m_defaultBrowser))
        return;
    const bool changed
        = answer.isDefault != m_defaultBrowser.isDefault || answer.unlaunchable != m_defaultBrowser.unlaunchable;
    m_defaultBrowser = answer;
    if (changed)
        Q_EMIT defaultBrowserChanged(answer.isDefault);
}

void SettingsView::setSelection(Section section)
{
    m_selection = section;
    for (SidebarRow* row : m_sidebar->findChildren<SidebarRow*>())
        row->setSelected(row->objectName() == rawValue(section));
    if (m_hasAppeared)
        showPane();
}

void SettingsView::showPane()
{
    // A pane left from the keyboard (a link of Help) hands the keyboard on to the pane it opens.
    const bool keyboardInPane = m_paneHolder && m_paneHolder->isAncestorOf(QApplication::focusWidget());
    // Later, not now: the selection may change from inside the pane shown now (a button of Help).
    if (m_paneHolder) {
        m_contentLayout->removeWidget(m_paneHolder);
        m_paneHolder->hide();
        m_paneHolder->deleteLater();
    }
    QWidget* pane = entry(m_selection).makePane(*this);
    pane->setObjectName(rawValue(m_selection));

    auto* padded = new QWidget;
    auto* column = new QVBoxLayout(padded);
    column->setContentsMargins(kPanePadding, kPanePadding, kPanePadding, kPanePadding);
    if (m_selection == Section::destinations) {
        // Browsers scrolls its own list, so it fills the whole area from the top-left.
        column->addWidget(pane, 1);
        m_paneHolder = padded;
    } else {
        column->addWidget(pane);
        column->addStretch(1);
        auto* scroll = new QScrollArea;
        // Scrolling is no stop for the keyboard: Tab goes to what the area holds.
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        ScrollBarStyle::apply(scroll);
        // Transparent all the way down, so the area's background (and About's mark) shows.
        scroll->viewport()->setAutoFillBackground(false);
        scroll->setWidget(padded);
        // setWidget() turns the fill on.
        padded->setAutoFillBackground(false);
        m_paneHolder = scroll;
    }
    m_contentLayout->addWidget(m_paneHolder);
    if (keyboardInPane)
        focusFirstControl(*m_paneHolder);
    update();
}

void SettingsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Only the first time: a window hidden for the picker and shown again keeps its section.
    if (m_hasAppeared)
        return;
    m_hasAppeared = true;
    setSelection(m_initialSection);
}

void SettingsView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The minimum reaches the window system only as a size hint, which a window manager may not
    // enforce and no X server does: a client's resize below it comes through, so grow back.
    if (isWindow() && (width() < minimumWidth() || height() < minimumHeight())) {
        QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
    }
}

void SettingsView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolve(Brand::frost, this));
    painter.fillRect(m_sidebar->geometry(), resolve(Brand::frostDeep, this));
    painter.fillRect(QRect(m_sidebar->geometry().right() + 1, 0, 1, height()), resolve(Brand::divider, this));
    if (m_selection == Section::about) {
        const QRectF area = m_contentArea->geometry();
        const QRectF mark(
            area.center() - QPointF(kAboutMarkSize / 2, kAboutMarkSize / 2), QSizeF(kAboutMarkSize, kAboutMarkSize));
        painter.setOpacity(kAboutMarkOpacity);
        TavroMark::paint(painter, mark, effectiveAppearance(this));
    }
}

} // namespace tavro
