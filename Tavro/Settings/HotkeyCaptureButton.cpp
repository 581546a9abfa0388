#include "Tavro/Settings/HotkeyCaptureButton.h"

#include "Tavro/Controls/AccessibilityTraits.h"
#include "Tavro/Controls/Appearance.h"
#include "Tavro/Controls/Drawing.h"
#include "Tavro/Controls/FocusRing.h"
#include "Tavro/Controls/VoiceOver.h"
#include "Tavro/Model/Brand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <utility>

namespace tavro {

namespace {

// At most one cap records: starting one ends the other's recording.
QPointer<HotkeyCaptureButton>& currentRecorder()
{
    static QPointer<HotkeyCaptureButton> recorder;
    return recorder;
}

// A modifier pressed on its own is no key press on the Mac (it only changes the flags), so it must
// not end the recording before the key it modifies arrives.
bool isModifierOnly(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

// A control, format or private-use character (Return, Tab, a function key's code) would be stored
// as a key that nobody can see or type in the picker.
bool isUntypeable(const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_PrivateUse:
            return true;
        default:
            break;
        }
    }
    return false;
}

// The characters of the key ignoring every modifier but Shift. With Control, Alt or Meta held,
// Qt's text() is the modified text (Control+A gives U+0001), so the key code stands in for it.
std::optional<QString> charactersIgnoringModifiers(const QKeyEvent& event)
{
    QString text = event.text();
    const int key = event.key();
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && key > 0
        && key < Qt::Key_Escape) {
        const char32_t code = char32_t(key);
        text = QString::fromUcs4(&code, 1);
        text = event.modifiers() & Qt::ShiftModifier ? text.toUpper() : text.toLower();
    }
    if (text.isEmpty() || isUntypeable(text))
        return std::nullopt;
    return text;
}

} // namespace

HotkeyCaptureButton::HotkeyCaptureButton(
    std::optional<QString> custom, std::optional<QString> effective, QString profileName, QWidget* parent)
    : QAbstractButton(parent)
    , m_custom(std::move(custom))
    , m_effective(std::move(effective))
    , m_profileName(std::move(profileName))
{
    installAccessibilityTraits();
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, &HotkeyCaptureButton::toggle);
    refresh();
}

HotkeyCaptureButton::~HotkeyCaptureButton()
{
    stop();
}

void HotkeyCaptureButton::setProfileName(const QString& profileName)
{
    m_profileName = profileName;
    refresh();
}

QString HotkeyCaptureButton::prompt()
{
    //: Shown and spoken while the hotkey field in Settings waits for a key press.
    return QCoreApplication::translate("Tavro", "Press a key… (Esc cancels, Delete resets to default)");
}

QString HotkeyCaptureButton::accessibilityValue() const
{
    // The key, also while recording: the prompt is told as an announcement and as the tooltip.
    return m_effective ? m_effective->toUpper() : QString();
}

std::optional<QColor> HotkeyCaptureButton::fill() const
{
    if (m_recording)
        return resolve(Brand::accent, this);
    if (m_hovering)
        return resolve(Brand::frostDeep, this);
    if (!m_custom)
        return std::nullopt;
    return resolve(Brand::frost, this);
}

QColor HotkeyCaptureButton::stroke() const
{
    if (m_recording)
        return resolve(Brand::accent, this);
    if (m_hovering || m_custom)
        return resolve(Brand::chainDark, this);
    return resolve(Brand::divider, this);
}

void HotkeyCaptureButton::refresh()
{
    //: Accessibility label of the hotkey field of a browser profile in Settings. %1 is the profile's name.
    setAccessibleName(QCoreApplication::translate("Tavro", "Hotkey for %1").arg(m_profileName));
    if (m_recording)
        setToolTip(prompt());
    else if (m_custom)
        //: Tooltip of a hotkey field in Settings whose key the user chose.
        setToolTip(QCoreApplication::translate("Tavro", "Custom hotkey. Click to change."));
    else
        //: Tooltip of a hotkey field in Settings whose key Tavro assigned.
        setToolTip(QCoreApplication::translate("Tavro", "Default hotkey. Click to set your own."));
    // A cap whose row was built anew is hidden on its way out: its news would come from nowhere.
    if (isVisible())
        accessibilityValueMayHaveChanged(this);
    update();
}

void HotkeyCaptureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cap(QPointF((width() - 30) / 2.0, (height() - 26) / 2.0), QSizeF(30, 26));
    const QPainterPath shape = Drawing::roundedRect(cap, 7);
    if (const auto colour = fill())
        painter.fillPath(shape, *colour);
    const bool dashed = !m_custom && !m_recording;
    Drawing::strokeInside(painter, shape, stroke(), m_recording ? 2 : 1, dashed ? QList<qreal>{3, 2} : QList<qreal>{});

    QString text;
    QColor colour;
    if (m_recording) {
        text = QStringLiteral("…");
        colour = resolve(Brand::onFill, this);
    } else {
        text = m_effective ? m_effective->toUpper() : QStringLiteral("·");
        colour = resolve(m_custom ? Brand::navy : Brand::textSecondary, this);
    }
    painter.setFont(Drawing::systemFont(12, QFont::Bold));
    painter.setPen(colour);
    Drawing::drawElidedText(painter, cap, text, Qt::AlignCenter);
    if (FocusRing::isShown(this))
        FocusRing::paint(painter, shape, this);
}

void HotkeyCaptureButton::enterEvent(QEnterEvent* event)
{
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void HotkeyCaptureButton::leaveEvent(QEvent* event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void HotkeyCaptureButton::hideEvent(QHideEvent* event)
{
    stop();
    QAbstractButton::hideEvent(event);
}

void HotkeyCaptureButton::mousePressEvent(QMouseEvent* event)
{
    m_pressOnlyStops = std::exchange(m_pressEndedRecording, false);
    QAbstractButton::mousePressEvent(event);
}

void HotkeyCaptureButton::mouseReleaseEvent(QMouseEvent* event)
{
    QAbstractButton::mouseReleaseEvent(event);
    m_pressOnlyStops = false;
}

void HotkeyCaptureButton::toggle()
{
    // The press of this click already ended the recording; starting again would make the cap
    // impossible to leave by clicking it.
    if (m_pressOnlyStops)
        return;
    if (m_recording)
        stop();
    else
        start();
}

void HotkeyCaptureButton::start()
{
    if (m_recording)
        return;
    if (auto& other = currentRecorder(); other && other != this)
        other->stop();
    currentRecorder() = this;
    m_recording = true;
    // However it started, the key the user presses next is meant for this cap.
    setFocus(Qt::OtherFocusReason);
    VoiceOver::announce(prompt());
    qApp->installEventFilter(this);
    m_monitoring = true;
    refresh();
}

void HotkeyCaptureButton::stop()
{
    if (m_monitoring) {
        qApp->removeEventFilter(this);
        m_monitoring = false;
    }
    if (currentRecorder() == this)
        currentRecorder() = nullptr;
    if (!m_recording)
        return;
    m_recording = false;
    refresh();
}

bool HotkeyCaptureButton::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claiming the key keeps menu and window shortcuts from acting on it; the key press that
        // follows is swallowed below.
        event->accept();
        return true;
    case QEvent::KeyPress:
        handleKey(static_cast<const QKeyEvent&>(*event));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Seen once for the window and once for the widget under the pointer; the widget's copy
        // tells whether the press is on this cap.
        const auto button = static_cast<const QMouseEvent*>(event)->button();
        if (watched->isWidgetType() && (button == Qt::LeftButton || button == Qt::RightButton)) {
            m_pressEndedRecording = watched == this;
            stop();
        }
        return false;
    }
    default:
        return false;
    }
}

void HotkeyCaptureButton::handleKey(const QKeyEvent& event)
{
    const int key = event.key();
    if (isModifierOnly(key))
        return;
    if (key == Qt::Key_Escape) {
        stop();
        return;
    }
    const QPointer<HotkeyCaptureButton> self(this);
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        Q_EMIT assigned(std::nullopt);
    } else if (const auto characters = charactersIgnoringModifiers(event)) {
        Q_EMIT assigned(*characters);
    }
    // A receiver may have removed the row, and this cap with it.
    if (self)
        stop();
}

} // namespace tavro
