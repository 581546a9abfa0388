#include "Tavro/Settings/SettingsView.h"

#include "Tavro/Model/Brand.h"
#include "Tavro/Model/Notifications.h"
#include "Tavro/Picker/AccessibilityTraits.h"
#include "Tavro/Picker/Appearance.h"
#include "Tavro/Picker/BuiltByCredit.h"
#include "Tavro/Picker/Drawing.h"
#include "Tavro/Picker/TavroMark.h"
#include "Tavro/Platform/Accessibility.h"
#include "Tavro/Platform/NotificationCenter.h"
#include "Tavro/Settings/AboutSettingsView.h"
#include "Tavro/Settings/AccessibilitySettingsView.h"
#include "Tavro/Settings/AppearanceSettingsView.h"
#include "Tavro/Settings/BrandLabel.h"
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
#include "Tavro/Settings/SwitchToggle.h"
#include "Tavro/Settings/SystemSettingsView.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace tavro {

QString SettingsView::rawValue(Section section)
{
    switch (section) {
    case Section::destinations:
        return QStringLiteral("Browsers");
    case Section::appearance:
        return QStringLiteral("Appearance");
    case Section::shortcuts:
        return QStringLiteral("Shortcuts");
    case Section::system:
        return QStringLiteral("System");
    case Section::permissions:
        return QStringLiteral("Permissions");
    case Section::accessibility:
        return QStringLiteral("Accessibility");
    case Section::privacy:
        return QStringLiteral("Privacy");
    case Section::otherProjects:
        return QStringLiteral("Other Projects");
    case Section::help:
        return QStringLiteral("Help");
    case Section::about:
        return QStringLiteral("About");
    }
    return {};
}

QString SettingsView::title(Section section)
{
    switch (section) {
    case Section::destinations:
        //: Settings pane title (and sidebar tab) for the list of browser profiles.
        return QCoreApplication::translate("Tavro", "Browsers");
    case Section::appearance:
        //: Settings label for choosing Tavro's light or dark look: System, Light, or Dark. Use Apple's localized name
        //: for the macOS Appearance setting.
        return QCoreApplication::translate("Tavro", "Appearance");
    case Section::shortcuts:
        //: Settings sidebar tab and pane title for keyboard settings: the bypass modifier key and the global hotkeys.
        return QCoreApplication::translate("Tavro", "Shortcuts");
    case Section::system:
        //: Settings sidebar tab and pane title for general app settings (login, menu bar, default browser, updates).
        //: Also the Appearance setting option that follows the macOS light or dark setting.
        return QCoreApplication::translate("Tavro", "System");
    case Section::permissions:
        //: Settings sidebar tab and pane title for macOS privacy permissions.
        return QCoreApplication::translate("Tavro", "Permissions");
    case Section::accessibility:
        //: Settings sidebar tab and pane title for accessibility options such as reducing the picker's animation. Use
        //: the word macOS uses for its own Accessibility settings.
        return QCoreApplication::translate("Tavro", "Accessibility");
    case Section::privacy:
        //: Settings sidebar tab and pane title explaining what Tavro does and doesn't do with your data.
        return QCoreApplication::translate("Tavro", "Privacy");
    case Section::otherProjects:
        //: Settings pane title (and sidebar tab) listing the developer's other apps.
        return QCoreApplication::translate("Tavro", "Other Projects");
    case Section::help:
        //: Settings sidebar tab and pane title for setup steps, shortcuts, and common questions.
        return QCoreApplication::translate("Tavro", "Help");
    case Section::about:
        //: Settings sidebar tab and pane title for app information.
        return QCoreApplication::translate("Tavro", "About");
    }
    return {};
}

QString SettingsView::icon(Section section)
{
    switch (section) {
    case Section::destinations:
        return QStringLiteral("list.bullet");
    case Section::appearance:
        return QStringLiteral("paintpalette");
    case Section::shortcuts:
        return QStringLiteral("keyboard");
    case Section::system:
        return QStringLiteral("gearshape");
    case Section::permissions:
        return QStringLiteral("lock.shield");
    case Section::accessibility:
        return QStringLiteral("accessibility");
    case Section::privacy:
        return QStringLiteral("hand.raised");
    case Section::otherProjects:
        return QStringLiteral("square.grid.2x2");
    case Section::help:
        return QStringLiteral("questionmark.circle");
    case Section::about:
        return QStringLiteral("info.circle");
    }
    return {};
}

std::optional<SettingsView::Section> SettingsView::fromRawValue(const QString& rawValue)
{
    for (Section section : allCases()) {
        if (SettingsView::rawValue(section) == rawValue)
            return section;
    }
    return std::nullopt;
}

const QList<SettingsView::Section>& SettingsView::allCases()
{
    static const QList<Section> cases{Section::destinations, Section::appearance, Section::shortcuts, Section::system,
        Section::permissions, Section::accessibility, Section::privacy, Section::otherProjects, Section::help,
        Section::about};
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

SwitchToggle* SettingsView::switchToggle(bool isOn, std::function<void(bool)> set)
{
    auto* toggle = new SwitchToggle;
    toggle->setChecked(isOn);
    QObject::connect(toggle, &SwitchToggle::toggled, toggle, [set = std::move(set)](bool on) { set(on); });
    return toggle;
}

SettingsView::SettingsView(SettingsStore& store, std::function<void(const QUrl&)> route, Section initialSection,
    NotificationCenter& center, QWidget* parent, UpdateController* updates)
    : QWidget(parent)
    , m_store(store)
    , m_route(std::move(route))
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

    m_rows = new QButtonGroup(this);
    m_rows->setExclusive(true);
    for (Section section : allCases()) {
        auto* row = new SidebarRow(title(section), icon(section), sidebar);
        row->setObjectName(rawValue(section));
        row->setChecked(section == m_selection);
        connect(row, &SidebarRow::clicked, this, [this, section] { setSelection(section); });
        m_rows->addButton(row);
        column->addWidget(row);
    }
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

QWidget* SettingsView::makePane(Section section)
{
    switch (section) {
    case Section::destinations:
        return new DestinationSettingsView(m_store);
    case Section::appearance:
        return new AppearanceSettingsView(*this);
    case Section::shortcuts:
        return new ShortcutsSettingsView(*this);
    case Section::system:
        return new SystemSettingsView(*this);
    case Section::permissions:
        return new PermissionsSettingsView(*this);
    case Section::accessibility:
        return new AccessibilitySettingsView(*this);
    case Section::privacy:
        return new PrivacySettingsView;
    case Section::otherProjects:
        return new OtherProjectsSettingsView(m_route, 2);
    case Section::help:
        return new HelpSettingsView(m_store, m_center, [this](Section shown) { setSelection(shown); });
    case Section::about:
        return new AboutSettingsView(
            *m_copiedVersion, [this] { setSelection(Section::otherProjects); }, m_updates);
    default:
        return new QWidget;
    }
}

void SettingsView::setAccessibilityGranted(bool granted)
{
    if (m_accessibilityGranted == granted)
        return;
    m_accessibilityGranted = granted;
    Q_EMIT accessibilityGrantedChanged(granted);
}

void SettingsView::setDefaultBrowser(bool isDefault)
{
    if (m_isDefaultBrowser == isDefault)
        return;
    m_isDefaultBrowser = isDefault;
    Q_EMIT defaultBrowserChanged(isDefault);
}

SidebarRow* SettingsView::row(Section section) const
{
    return m_sidebar->findChild<SidebarRow*>(rawValue(section));
}

void SettingsView::setSelection(Section section)
{
    m_selection = section;
    if (SidebarRow* shown = row(section))
        shown->setChecked(true);
    if (m_hasAppeared)
        showPane();
}

void SettingsView::showPane()
{
    // Later, not now: the selection may change from inside the pane shown now (a button of Help).
    if (m_paneHolder) {
        m_contentLayout->removeWidget(m_paneHolder);
        m_paneHolder->hide();
        m_paneHolder->deleteLater();
    }
    m_pane = makePane(m_selection);

    auto* padded = new QWidget;
    auto* column = new QVBoxLayout(padded);
    column->setContentsMargins(kPanePadding, kPanePadding, kPanePadding, kPanePadding);
    if (m_selection == Section::destinations) {
        // Browsers scrolls its own list, so it fills the whole area from the top-left.
        column->addWidget(m_pane, 1);
        m_paneHolder = padded;
    } else {
        column->addWidget(m_pane);
        column->addStretch(1);
        auto* scroll = new QScrollArea;
        // Scrolling is no stop for the keyboard: Tab goes to what the area holds.
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // Transparent all the way down, so the area's background (and About's mark) shows.
        scroll->viewport()->setAutoFillBackground(false);
        scroll->setWidget(padded);
        // setWidget() turns the fill on.
        padded->setAutoFillBackground(false);
        m_paneHolder = scroll;
    }
    m_contentLayout->addWidget(m_paneHolder);
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
