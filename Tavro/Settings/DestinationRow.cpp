#include "Tavro/Settings/DestinationRow.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/BrowserIcon.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/SettingsStore.h"
#include "Tavro/Settings/EmojiPickerButton.h"
#include "Tavro/Settings/HotkeyCaptureButton.h"
#include "Tavro/Settings/NodeColorPickerButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace tavro {

namespace {

constexpr int kCheckBoxSize = 16;
constexpr int kIconSize = 20;
constexpr int kHandleSize = 16;
// The system's red, brighter in dark so the small badge stays legible there.
constexpr ColorPair kRed{0xFF3B30, 0xFF453A};

// A checkbox drawn in the Brand colours, in both appearances, with no visible label.
class VisibilityCheckBox : public QCheckBox
{
public:
    explicit VisibilityCheckBox(QWidget* parent) : QCheckBox(parent)
    {
        // Its ring goes round all of it: the style makes that its place for a screen reader too.
        setStyle(FocusRing::ControlStyle::shared());
    }

    QSize sizeHint() const override { return {kCheckBoxSize + 4, kCheckBoxSize + 4}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box(QRectF(rect()).center() - QPointF(kCheckBoxSize / 2.0, kCheckBoxSize / 2.0),
            QSizeF(kCheckBoxSize, kCheckBoxSize));
        const QPainterPath shape = Drawing::roundedRect(box, 4);
        if (isDown())
            painter.setOpacity(0.75);
        if (isChecked()) {
            painter.fillPath(shape, resolve(Brand::fill, this));
            SymbolImage::paint(
                painter, box.adjusted(3, 3, -3, -3), QStringLiteral("checkmark"), resolve(Brand::onFill, this));
        } else {
            painter.fillPath(shape, resolve(Brand::frost, this));
            Drawing::strokeInside(painter, shape, resolve(Brand::chainDark, this), 1.2);
        }
        if (FocusRing::isShown(this))
            FocusRing::paint(painter, Drawing::roundedRect(QRectF(rect()), 6), this);
    }
};

// The row's name: one line, cut with an ellipsis when the pane is too narrow for it.
class NameLabel : public QLabel
{
public:
    explicit NameLabel(const QString& text) : QLabel(text)
    {
        setTextFormat(Qt::PlainText);
        setFont(Drawing::systemFont(13, QFont::DemiBold));
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(resolve(Brand::navy, this));
        painter.setFont(font());
        Drawing::drawElidedText(painter, contentsRect(), text(), Qt::AlignLeft | Qt::AlignVCenter);
    }
};

// The small red capsule of a destination whose browser or profile is gone.
class UnavailableBadge : public QLabel
{
public:
    explicit UnavailableBadge(const QString& text) : QLabel(text)
    {
        setTextFormat(Qt::PlainText);
        setFont(Drawing::systemFont(10, QFont::Medium));
        setContentsMargins(6, 2, 6, 2);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor red = resolve(kRed, this);
        const QRectF capsule = QRectF(rect());
        painter.fillPath(Drawing::roundedRect(capsule, capsule.height() / 2), withOpacity(red, 0.15));
        painter.setPen(red);
        painter.setFont(font());
        painter.drawText(contentsRect(), Qt::AlignCenter, text());
    }
};

// The grip a drag starts from; the list handles the drag, this only draws and shows the hand.
class DragHandle : public QWidget
{
public:
    DragHandle()
    {
        setFixedSize(kHandleSize, kHandleSize);
        setCursor(Qt::OpenHandCursor);
        accessibilityHidden(this);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        SymbolImage::paint(
            painter, QRectF(rect()), QStringLiteral("line.3.horizontal"), resolve(Brand::chainDark, this));
    }
};

// The row as a screen reader knows it: a list item that offers "Move Up" and "Move Down" where
// the row can go that way.
class ReorderActions : public QAccessibleWidget
{
public:
    explicit ReorderActions(DestinationRow* row) : QAccessibleWidget(row, QAccessible::ListItem) { }

    DestinationRow* row() const { return static_cast<DestinationRow*>(object()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && row()->accessibleName().isEmpty())
            return row()->nameLabel()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (row()->canMoveUp())
            names << DestinationRow::moveUpText();
        if (row()->canMoveDown())
            names << DestinationRow::moveDownText();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == DestinationRow::moveUpText() && row()->canMoveUp())
            row()->moveUp();
        else if (name == DestinationRow::moveDownText() && row()->canMoveDown())
            row()->moveDown();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* reorderActionsFactory(const QString&, QObject* object)
{
    if (auto* row = qobject_cast<DestinationRow*>(object))
        return new ReorderActions(row);
    return nullptr;
}

} // namespace

DestinationRow::DestinationRow(SettingsStore& store, const BrowserDestination& destination,
    const std::optional<QString>& effectiveKey, int index, int count, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_destination(destination)
    , m_effectiveKey(effectiveKey)
    , m_index(index)
    , m_count(count)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(reorderActionsFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    const QUuid id = m_destination.id;
    const QString menuLabel = m_destination.menuLabel();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, kVerticalPadding, 0, kVerticalPadding);
    layout->setSpacing(kSpacing);

    m_visibility = new VisibilityCheckBox(this);
    m_visibility->setObjectName(QStringLiteral("visibility"));
    m_visibility->setChecked(m_destination.isVisible);
    m_visibility->setAccessibleName(
        //: Hidden (VoiceOver-only) label of the checkbox that shows or hides a browser profile in the link picker. %1
        //: is a browser and profile, e.g. Chrome (Work).
        QCoreApplication::translate("Tavro", "Show %1 in picker").arg(menuLabel));
    connect(m_visibility, &QAbstractButton::toggled, this, [&store, id](bool on) { store.setVisible(on, id); });
    layout->addWidget(m_visibility, 0, Qt::AlignVCenter);

    m_keyCap = new HotkeyCaptureButton(m_destination.hotkey, effectiveKey, menuLabel, this);
    m_keyCap->setObjectName(QStringLiteral("keyCap"));
    connect(m_keyCap, &HotkeyCaptureButton::assigned, this,
        [&store, id](const std::optional<QString>& key) { store.setHotkey(key, id); });
    layout->addWidget(m_keyCap, 0, Qt::AlignVCenter);

    m_emoji = new EmojiPickerButton(m_destination.profileEmoji, m_destination.profilePhotoPath,
        m_destination.preferEmojiOverPhoto, menuLabel, this);
    m_emoji->setObjectName(QStringLiteral("emoji"));
    // The button decides `preferEmoji` on what the store will keep of the choice, so a value that
    // is no emoji never hides the photo behind nothing.
    connect(m_emoji, &EmojiPickerButton::emojiSelected, this,
        [&store, id](const std::optional<QString>& emoji, bool preferEmoji) {
            store.setProfileEmoji(emoji, id);
            store.setPreferEmojiOverPhoto(preferEmoji, id);
        });
    connect(m_emoji, &EmojiPickerButton::usePhotoSelected, this,
        [&store, id] { store.setPreferEmojiOverPhoto(false, id); });
    layout->addWidget(m_emoji, 0, Qt::AlignVCenter);

    m_color = new NodeColorPickerButton(m_destination.nodeColorHex, menuLabel, this);
    m_color->setObjectName(QStringLiteral("petalColor"));
    connect(m_color, &NodeColorPickerButton::selected, this,
        [&store, id](const std::optional<quint32>& hex) { store.setNodeColor(hex, id); });
    layout->addWidget(m_color, 0, Qt::AlignVCenter);

    auto* icon = new BrowserIcon(m_destination.browserBundleIdentifier, kIconSize, this);
    layout->addWidget(icon, 0, Qt::AlignVCenter);

    m_name = new NameLabel(displayName(m_destination));
    layout->addWidget(m_name, 1, Qt::AlignVCenter);

    if (!m_destination.isAvailable) {
        //: Small lowercase badge on a browser profile row in Settings when the browser or profile can no longer be
        //: found.
        auto* badge = new UnavailableBadge(QCoreApplication::translate("Tavro", "unavailable"));
        badge->setObjectName(QStringLiteral("unavailable"));
        layout->addWidget(badge, 0, Qt::AlignVCenter);
    }

    auto* handle = new DragHandle;
    handle->setObjectName(QStringLiteral("dragHandle"));
    layout->addWidget(handle, 0, Qt::AlignVCenter);

    if (!m_destination.isAvailable) {
        // Dimmed, yet every control still works and the row still moves.
        auto* dim = new QGraphicsOpacityEffect(this);
        dim->setOpacity(kUnavailableOpacity);
        setGraphicsEffect(dim);
    }
}

QList<QWidget*> DestinationRow::controls() const
{
    return {m_visibility, m_keyCap, m_emoji, m_color};
}

QString DestinationRow::displayName(const BrowserDestination& destination)
{
    // Not the menu label, which puts the profile in parentheses.
    const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
    if (definition && definition->noProfilesLabel())
        return destination.browserDisplayName;
    return destination.browserDisplayName + QStringLiteral(": ") + destination.profileDisplayName;
}

QString DestinationRow::moveUpText()
{
    //: VoiceOver action on a browser profile row in Settings: moves it one place earlier in the picker order.
    return QCoreApplication::translate("Tavro", "Move Up");
}

QString DestinationRow::moveDownText()
{
    //: VoiceOver action on a browser profile row in Settings: moves it one place later in the picker order.
    return QCoreApplication::translate("Tavro", "Move Down");
}

void DestinationRow::moveUp()
{
    m_store.move({m_index}, m_index - 1);
}

void DestinationRow::moveDown()
{
    // The target counts places before the row is taken out, so one place later is two on.
    m_store.move({m_index}, m_index + 2);
}

} // namespace tavro
