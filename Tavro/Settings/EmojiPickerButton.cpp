#include "Tavro/Settings/EmojiPickerButton.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/PointingHandCursor.h"
#include "Tavro/Controls/ProfilePhoto.h"
#include "Tavro/Controls/SymbolImage.h"
#include "Tavro/Model/Brand.h"
#include "Tavro/Model/EmojiInput.h"
#include "Tavro/Settings/EmojiPopover.h"

#include <QCoreApplication>
#include <QEasingCurve>
#include <QPainter>
#include <QVariantAnimation>

namespace tavro {

namespace {

QColor blend(const QColor& from, const QColor& to, double progress)
{
    const auto mix = [progress](double a, double b) { return a + (b - a) * progress; };
    return QColor::fromRgbF(float(mix(from.redF(), to.redF())), float(mix(from.greenF(), to.greenF())),
        float(mix(from.blueF(), to.blueF())), float(mix(from.alphaF(), to.alphaF())));
}

QString fromScalars(std::initializer_list<char32_t> scalars)
{
    return QString::fromUcs4(std::data(scalars), qsizetype(scalars.size()));
}

} // namespace

EmojiPickerButton::EmojiPickerButton(const std::optional<QString>& emoji, const std::optional<QString>& photoPath,
    bool preferEmoji, const QString& profileName, QWidget* parent)
    : QAbstractButton(parent)
    , m_emoji(emoji)
    , m_photoPath(photoPath)
    , m_preferEmoji(preferEmoji)
    , m_profileName(profileName)
    , m_hoverAnimation(new QVariantAnimation(this))
{
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::TabFocus);
    pointingHandCursor(this);
    // Before the name: naming a widget makes Qt build and keep its accessible interface.
    installAccessibilityTraits();
    //: Accessible name of the button that sets a browser profile's emoji in Settings. %1 is a browser and
    //: profile, e.g. Chrome (Work).
    setAccessibleName(QCoreApplication::translate("Tavro", "Emoji for %1").arg(m_profileName));
    setToolTip(helpText());

    m_hoverAnimation->setDuration(hoverFadeMilliseconds);
    m_hoverAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_hoverAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_hover = value.toDouble();
        update();
    });
    connect(this, &QAbstractButton::clicked, this, [this] { setPopoverShown(!popover()); });
}

EmojiPickerButton::~EmojiPickerButton()
{
    // The popovers, the open one and any still closing, go with the button, and none hands the
    // keyboard back to it.
    for (EmojiPopover* popover : findChildren<EmojiPopover*>(Qt::FindDirectChildrenOnly))
        popover->disconnect(this);
}

const QStringList& EmojiPickerButton::defaultEmoji()
{
    static const QStringList emoji{
        fromScalars({0x1F4BC}),
        fromScalars({0x1F3E2}),
        fromScalars({0x1F454}),
        fromScalars({0x1F3E0}),
        fromScalars({0x1F9D1, 0x200D, 0x1F4BB}),
        fromScalars({0x1F4BB}),
        fromScalars({0x1F512}),
        fromScalars({0x1F511}),
        fromScalars({0x1F310}),
        fromScalars({0x1F680}),
        fromScalars({0x1F3A8}),
        fromScalars({0x1F3AE}),
        fromScalars({0x1F6D2}),
        fromScalars({0x1F9EA}),
        fromScalars({0x1F4E7}),
        fromScalars({0x1F4CA}),
        fromScalars({0x2B50, 0xFE0F}),
        fromScalars({0x2764, 0xFE0F}),
        fromScalars({0x1F534}),
        fromScalars({0x1F7E2}),
        fromScalars({0x1F535}),
        fromScalars({0x1F7E3}),
        fromScalars({0x1F7E1}),
        fromScalars({0x1F7E0}),
        fromScalars({0x2615, 0xFE0F}),
        fromScalars({0x1F34E}),
        fromScalars({0x1F436}),
        fromScalars({0x1F431}),
        fromScalars({0x1F3AF}),
        fromScalars({0x2728}),
        fromScalars({0x1F525}),
        fromScalars({0x1F319}),
    };
    return emoji;
}

QString EmojiPickerButton::helpText() const
{
    if (photoShown()) {
        //: Tooltip of a profile's emoji button in Settings while it shows the browser's profile photo.
        return QCoreApplication::translate("Tavro", "Showing the profile photo. Click to use an emoji instead.");
    }
    if (m_photoPath && !m_emoji) {
        //: Tooltip of a profile's emoji button in Settings when the profile has a photo but neither it nor an
        //: emoji is in use.
        return QCoreApplication::translate(
            "Tavro", "Use the profile photo, or set an emoji, to identify this profile in the picker.");
    }
    if (!m_emoji) {
        //: Tooltip of a profile's emoji button in Settings when the profile has no photo and no emoji. The picker
        //: is the radial link chooser.
        return QCoreApplication::translate("Tavro", "Set an emoji to identify this profile in the picker.");
    }
    //: Tooltip of a profile's emoji button in Settings while it shows the profile's emoji.
    return QCoreApplication::translate("Tavro", "Profile emoji. Click to change.");
}

QString EmojiPickerButton::accessibilityValue() const
{
    if (photoShown()) {
        //: Accessible value of a profile's emoji button in Settings while it shows the browser's profile photo.
        return QCoreApplication::translate("Tavro", "Profile photo");
    }
    if (!m_emoji) {
        //: Accessible value of a profile's emoji button in Settings when no emoji is set.
        return QCoreApplication::translate("Tavro", "None");
    }
    return *m_emoji;
}

EmojiPopover* EmojiPickerButton::popover() const
{
    return m_popover && m_popover->isVisible() ? m_popover.data() : nullptr;
}

void EmojiPickerButton::setPopoverShown(bool shown)
{
    if (shown == bool(popover()))
        return;
    // A closed popover deletes itself on the next turn of the event loop; until then it is
    // hidden and done with.
    EmojiPopover* previous = m_popover;
    m_popover = nullptr;
    if (previous)
        previous->close();
    if (!shown)
        return;
    // A window of its own, owned by the button: a button that goes before the popover's turn
    // of the event loop takes it along.
    m_popover = new EmojiPopover(*this, this);
    connect(m_popover, &EmojiPopover::chosen, this, &EmojiPickerButton::choose);
    connect(m_popover, &EmojiPopover::usePhotoChosen, this, &EmojiPickerButton::usePhoto);
    // However it closes (Escape, a choice, a click elsewhere), the keyboard comes back here,
    // unless a choice put a new row in this one's place.
    connect(m_popover, &QObject::destroyed, this, [this] {
        if (isVisible())
            setFocus(Qt::PopupFocusReason);
    });
    m_popover->showBelow(this);
}

void EmojiPickerButton::choose(const std::optional<QString>& emoji)
{
    setPopoverShown(false);
    Q_EMIT emojiSelected(emoji, EmojiInput::normalize(emoji).has_value());
}

void EmojiPickerButton::usePhoto()
{
    setPopoverShown(false);
    Q_EMIT usePhotoSelected();
}

QSize EmojiPickerButton::sizeHint() const
{
    return {30, 26};
}

void EmojiPickerButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    animateHover(true);
}

void EmojiPickerButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    animateHover(false);
}

void EmojiPickerButton::animateHover(bool hovering)
{
    m_hoverAnimation->stop();
    m_hoverAnimation->setStartValue(m_hover);
    m_hoverAnimation->setEndValue(hovering ? 1.0 : 0.0);
    m_hoverAnimation->start();
}

void EmojiPickerButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Appearance appearance = effectiveAppearance(this);
    const QRectF frame(0, 0, 30, 26);
    const QPainterPath shape = Drawing::roundedRect(frame, 7);

    const QColor fill = hasContent() ? resolve(Brand::frost, appearance)
                                     : blend(Qt::transparent, resolve(Brand::frostDeep, appearance), m_hover);
    painter.fillPath(shape, fill);

    const QColor quiet = resolve(Brand::divider, appearance);
    const QColor strong = resolve(Brand::chainDark, appearance);
    QPen border(hasContent() ? strong : blend(quiet, strong, m_hover), 1);
    if (!hasContent())
        border.setDashPattern({3, 2}); // in pen widths, which are 1 pt here
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(Drawing::roundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), 6.5));

    const QPointF centre = frame.center();
    if (photoShown()) {
        ProfilePhoto::paint(painter, QRectF(centre - QPointF(9, 9), QSizeF(18, 18)), *m_photoPath, appearance);
    } else if (m_emoji) {
        painter.setFont(Drawing::emojiFont(15));
        painter.setPen(resolve(Brand::navy, appearance));
        painter.drawText(frame, Qt::AlignCenter, *m_emoji);
    } else {
        SymbolImage::paint(painter, QRectF(centre - QPointF(6.5, 6.5), QSizeF(13, 13)), QStringLiteral("face.smiling"),
            resolve(Brand::textSecondary, appearance));
    }
    if (FocusRing::isShown(this))
        FocusRing::paint(painter, shape, this);
}

} // namespace tavro
