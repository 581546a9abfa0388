#include "Tavro/Picker/PickerWindowController.h"

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Picker/DestinationPickerView.h"
#include "Tavro/Picker/FloatingPickerPanel.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Picker/PickerLog.h"
#include "Tavro/Picker/PickerViewModel.h"
#include "Tavro/Platform/Announcements.h"
#include "Tavro/Platform/GlobalEventMonitor.h"
#include "Tavro/Platform/KeyEvents.h"
#include "Tavro/Platform/ModifierFlags.h"
#include "Tavro/Platform/Screens.h"
#include "Tavro/Platform/WindowListing.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

namespace tavro {

namespace {

// The placeholder link of the warm-up picker, on a host reserved for examples.
const QUrl prewarmURL(QStringLiteral("https://example.com/"));

// How soon a refused keyboard grab is asked for again: well within the time a person takes to
// answer a picker they just saw.
constexpr std::chrono::milliseconds keyboardRetryInterval(25);

// The first destinations, as many as `screen` shows; the record itself keeps them all.
QList<BrowserDestination> shownDestinations(
    const QList<BrowserDestination>& destinations, const std::optional<Screens::Screen>& screen)
{
    return destinations.mid(0, FlowerLayout::maximumCount(screen ? QSizeF(screen->visibleFrame.size()) : QSizeF()));
}

// With Shift held X11 reports the shifted symbol; picker keys are the unshifted ones of a US
// keyboard, as the key's characters with no modifiers applied would be.
QString unshiftedDigit(int key)
{
    switch (key) {
    case Qt::Key_Exclam:
        return QStringLiteral("1");
    case Qt::Key_At:
        return QStringLiteral("2");
    case Qt::Key_NumberSign:
        return QStringLiteral("3");
    case Qt::Key_Dollar:
        return QStringLiteral("4");
    case Qt::Key_Percent:
        return QStringLiteral("5");
    case Qt::Key_AsciiCircum:
        return QStringLiteral("6");
    case Qt::Key_Ampersand:
        return QStringLiteral("7");
    case Qt::Key_Asterisk:
        return QStringLiteral("8");
    case Qt::Key_ParenLeft:
        return QStringLiteral("9");
    case Qt::Key_ParenRight:
        return QStringLiteral("0");
    default:
        return {};
    }
}

// The key's characters without Command, Control or Option; with `noModifiers` also without Shift.
QString keyCharacters(const QKeyEvent* event, bool noModifiers)
{
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar letter(u'a' + (key - Qt::Key_A));
        const bool upper = !noModifiers && (event->modifiers() & Qt::ShiftModifier);
        return upper ? QString(letter.toUpper()) : QString(letter);
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString(QChar(u'0' + (key - Qt::Key_0)));
    if (noModifiers) {
        if (const QString digit = unshiftedDigit(key); !digit.isEmpty())
            return digit;
    }
    if (key > 0x20 && key < 0x7F)
        return QString(QChar(key));
    QString text = event->text();
    text.removeIf([](QChar c) { return !c.isPrint(); });
    return text;
}

// An open popover or menu holds the keyboard (Qt's popups grab it), and a key meant for the picker
// would change a setting there: each is closed, applying nothing.
void closeOpenPopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

PickerWindowController::PickerWindowController(QObject* parent)
    : QObject(parent), m_privateFlag(ModifierFlag::shift) { }

PickerWindowController::~PickerWindowController()
{
    dismiss(false);
}

void PickerWindowController::present(const QUrl& url, const QList<BrowserDestination>& destinations,
    std::optional<QUuid> lastUsedID, const QString& bypassSymbol, bool reduceAnimations, EmojiPosition emojiPosition,
    AppAppearance appearance, std::optional<QString> notice, bool startPrivate, BypassModifier privateModifier,
    bool privateKeyIsBypassModifier)
{
    closeOpenPopups();
    dismiss(false);
    m_privateFlag = flag(privateModifier);

    const quint64 flags = KeyEvents::flagsState(KeyEvents::combinedSessionState);
    const bool held = (flags & m_privateFlag) == m_privateFlag;
    // One key for bypass and private: the key held to reach the picker is no private request.
    m_ignoringHeldPrivateKey = privateKeyIsBypassModifier && held;

    const QPoint mouse = Screens::pointerLocation();
    const std::optional<Screens::Screen> screen = Screens::screenAt(mouse);

    auto* model = new PickerViewModel;
    model->destinations = shownDestinations(destinations, screen);
    model->url = url;
    model->bypassSymbol = bypassSymbol;
    model->reduceAnimations = reduceAnimations;
    model->emojiPosition = emojiPosition;
    model->notice = notice;
    model->lastUsedID = lastUsedID;
    model->setPrivate(startPrivate || (held && !m_ignoringHeldPrivateKey));
    model->setSelectedIndex(model->lastUsedIndex().value_or(0));
    m_model = model;

    QPointer<PickerWindowController> controller(this);
    connect(model, &PickerViewModel::chosen, model,
        [controller, url](const BrowserDestination& destination, bool privately) {
            if (!controller)
                return;
            controller->dismiss(false);
            Q_EMIT controller->chosen(url, destination, privately);
        });
    connect(model, &PickerViewModel::cancelled, model, [controller] {
        if (!controller)
            return;
        controller->dismiss(false);
        Q_EMIT controller->cancelled();
    });

    if (screen) {
        const QRect visible = screen->visibleFrame;
        model->screenRoom = {double(mouse.x() - visible.x()), double(visible.x() + visible.width() - mouse.x()),
            double(mouse.y() - visible.y()), double(visible.y() + visible.height() - mouse.y())};
    }

    auto* view = new DestinationPickerView(model, reduceAnimations ? 1.0 : 0.0, true);
    const QSize size = view->sizeHint();
    auto* panel = new FloatingPickerPanel(QRect(0, 0, size.width(), size.height()));
    panel->setContentView(view);
    panel->contentShape = [view] { return view->drawnRegion(); };
    connect(view, &DestinationPickerView::firstFrameDrawn, this, &PickerWindowController::firstFrameDrawn);
    // Under a window manager the panel is mapped, and can hold the keys, only by the time it draws.
    connect(view, &DestinationPickerView::firstFrameDrawn, this, &PickerWindowController::takeKeyboard);
    setExplicitAppearance(panel, appearanceFor(appearance));
    panel->setWindowTitle(model->accessibilityTitle());
    panel->setAccessibleName(model->accessibilityTitle());
    // Spaces and joining full-screen applications have no counterpart here.
    panel->move(mouse.x() - size.width() / 2, mouse.y() - size.height() / 2);

    m_panel = panel;
    WindowListing::keepOutOfWindowLists(panel);
    panel->show();
    panel->raise();
    panel->activateWindow();
    panel->setFocus(Qt::ActiveWindowFocusReason);
    installEventMonitors();
    takeKeyboard();
    qCDebug(lcPicker) << "picker shown at" << panel->geometry() << "private" << model->isPrivate();
}

void PickerWindowController::installEventMonitors()
{
    if (!m_panel)
        return;
    // The key filter and the flags connection stay with their panel until it is deleted, and do
    // nothing for a panel no longer shown.
    QPointer<FloatingPickerPanel> panel(m_panel);
    m_panel->installEventFilter(this);
    connect(m_panel, &FloatingPickerPanel::flagsChanged, this, [this, panel](quint64 flags) {
        if (panel && m_panel == panel)
            updatePrivateMode(flags);
    });
    // A press outside the picker cancels it; a window that another program maps, or that takes the
    // focus (a browser just launched coming up), does not: the picker stays above it with the keys.
    m_globalMonitor = new GlobalEventMonitor(m_panel);
    connect(m_globalMonitor, &GlobalEventMonitor::mouseDown, this, &PickerWindowController::mouseDownSomewhere);
    connect(m_globalMonitor, &GlobalEventMonitor::windowMapped, m_panel, &QWidget::raise);
    // Where no press outside can be seen, Tavro keeping no focused window at all stands for it. Only
    // the focus window tells: under a window manager Qt still calls the panel the active window when
    // the application state turns inactive. The loss reported for the picker just replaced comes
    // before the new panel has had the focus, and is not its own.
    m_panelHadFocus = false;
    m_resignObserver = connect(qApp, &QGuiApplication::focusWindowChanged, this, [this, panel](QWindow* focus) {
        if (!panel || m_panel != panel)
            return;
        if (focus && focus == panel->windowHandle())
            m_panelHadFocus = true;
        else if (m_globalMonitor->isActive())
            focusTaken();
        else if (!focus && m_panelHadFocus)
            cancel();
    });
}

void PickerWindowController::mouseDownSomewhere()
{
    if (m_panel && !pointerIsOverPanel())
        cancel();
}

bool PickerWindowController::pointerIsOverPanel() const
{
    const QPoint local = m_panel->mapFromGlobal(Screens::pointerLocation());
    // Without a compositor the panel is shaped to the flower: a press beside it reaches the window below.
    const QRegion shape = m_panel->mask();
    return m_panel->rect().contains(local) && (shape.isEmpty() || shape.contains(local));
}

void PickerWindowController::focusTaken()
{
    m_panel->raise();
    takeKeyboard();
}

void PickerWindowController::takeKeyboard()
{
    if (!m_panel)
        return;
    // Grabbed again, not released first: a key pressed in between would go to the other window.
    if (QWidget::keyboardGrabber() != m_panel)
        m_panel->grabKeyboard();
    QWindow* window = m_panel->windowHandle();
    if (window && window->setKeyboardGrabEnabled(true)) {
        if (m_keyboardRetry)
            m_keyboardRetry->stop();
        return;
    }
    // Only a display where presses are seen holds grabs at all (an offscreen platform has none).
    if (!m_globalMonitor || !m_globalMonitor->isActive())
        return;
    if (!m_keyboardRetry) {
        m_keyboardRetry = new QTimer(m_panel);
        m_keyboardRetry->setInterval(keyboardRetryInterval);
        connect(m_keyboardRetry, &QTimer::timeout, this, &PickerWindowController::takeKeyboard);
    }
    if (!m_keyboardRetry->isActive())
        m_keyboardRetry->start();
}

bool PickerWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_panel || watched != m_panel || !m_model)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // Modifiers go on to the panel, which reports them as flags.
    if (FloatingPickerPanel::modifierFlag(key->key()) || !handle(key, m_model))
        return QObject::eventFilter(watched, event);
    key->accept();
    return true;
}

void PickerWindowController::cancel()
{
    if (m_model)
        m_model->cancel();
}

bool PickerWindowController::handle(QKeyEvent* event, PickerViewModel* model)
{
    // The benchmark of the key's road times the choice from here.
    qCDebug(lcPicker) << "picker key pressed";
    const quint64 flags = ModifierFlag::fromQt(event->modifiers());
    if ((flags & ModifierFlag::command) && event->key() == Qt::Key_Comma) {
        Q_EMIT settingsRequested();
        return true;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        model->chooseSelected();
        return true;
    case Qt::Key_Escape:
        model->cancel();
        return true;
    case Qt::Key_Left:
        model->moveSelection(PickerViewModel::MoveDirection::left);
        return true;
    case Qt::Key_Right:
        model->moveSelection(PickerViewModel::MoveDirection::right);
        return true;
    case Qt::Key_Down:
        model->moveSelection(PickerViewModel::MoveDirection::down);
        return true;
    case Qt::Key_Up:
        model->moveSelection(PickerViewModel::MoveDirection::up);
        return true;
    default:
        break;
    }
    const bool noModifiers = flags & ModifierFlag::shift;
    const QString characters = keyCharacters(event, noModifiers);
    if (characters.isEmpty())
        return false;
    return model->chooseByKey(characters);
}

void PickerWindowController::updatePrivateMode(quint64 flags)
{
    if (!m_model)
        return;
    bool held = (flags & m_privateFlag) == m_privateFlag;
    qCDebug(lcPicker) << "modifier flags" << Qt::hex << flags << "ignoring held key" << m_ignoringHeldPrivateKey;
    if (m_ignoringHeldPrivateKey) {
        if (held)
            return;
        m_ignoringHeldPrivateKey = false;
        held = false;
    }
    if (held == m_model->isPrivate())
        return;
    m_model->setPrivate(held);
    if (held) {
        //: VoiceOver announcement when the link picker switches to private mode (Shift held): links open in a
        //: private browser window.
        Announcements::post(QCoreApplication::translate("Tavro", "Private window"), Announcements::Priority::high);
    } else {
        //: VoiceOver announcement when the link picker leaves private mode: links open in a normal browser window.
        Announcements::post(QCoreApplication::translate("Tavro", "Normal window"), Announcements::Priority::high);
    }
}

void PickerWindowController::dismiss(bool callCancel)
{
    m_ignoringHeldPrivateKey = false;
    disconnect(m_resignObserver);
    m_resignObserver = {};
    if (m_globalMonitor) {
        m_globalMonitor->disconnect();
        m_globalMonitor->deleteLater();
    }
    const QPointer<PickerViewModel> model = callCancel ? m_model.data() : nullptr;
    // Released after the current event: this may run inside the panel's or the view's handlers.
    // Closed, not just hidden: a hidden window's widgets ask the display server where the pointer
    // is now, and wait for its answer, before the choice goes on to the browser.
    if (m_panel) {
        m_panel->releaseKeyboard();
        m_panel->close();
        m_panel->deleteLater();
    }
    if (m_model)
        m_model->deleteLater();
    m_panel = nullptr;
    m_model = nullptr;
    if (model)
        model->cancel();
}

void PickerWindowController::prewarm(const QList<BrowserDestination>& destinations, EmojiPosition emojiPosition)
{
    PickerViewModel model;
    model.url = prewarmURL;
    model.destinations = shownDestinations(destinations, Screens::screenAt(Screens::pointerLocation()));
    model.emojiPosition = emojiPosition;
    // Half open, each petal is drawn through a picture, as while a picker opens.
    DestinationPickerView view(&model, 0.5, true);
    view.adjustSize();
    // Drawing once loads the fonts, the symbols, the icons and the brand mark the first picker needs.
    QImage image(view.sizeHint(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image);
}

} // namespace tavro
