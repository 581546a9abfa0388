#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QUuid>

#include <optional>

class QKeyEvent;
class QTimer;

namespace tavro {

class FloatingPickerPanel;
class GlobalEventMonitor;
class PickerViewModel;

// Puts the picker on screen at the pointer and takes it away. One controller lives for the whole
// run; every link shown replaces the previous picker. The choice leaves only through `chosen` and
// `cancelled`, each emitted after the picker is gone.
class PickerWindowController : public QObject
{
    Q_OBJECT
public:
    explicit PickerWindowController(QObject* parent = nullptr);
    ~PickerWindowController() override;

    // `bypassSymbol` is the glyph of the key that skips the picker, kept in the model for the views.
    void present(const QUrl& url, const QList<BrowserDestination>& destinations, std::optional<QUuid> lastUsedID,
        const QString& bypassSymbol, bool reduceAnimations, EmojiPosition emojiPosition, AppAppearance appearance,
        std::optional<QString> notice, bool startPrivate, BypassModifier privateModifier,
        bool privateKeyIsBypassModifier);

    // Closes the picker; with `callCancel` it is cancelled, and `cancelled` emitted once it is gone. Harmless
    // when no picker is shown. Panel, view and model are released after the current event, so
    // this may be called from inside their own handlers.
    void dismiss(bool callCancel);

    // Builds and draws a throw-away picker of `destinations` once, so that the first real one opens
    // fast: its fonts, symbols, browser icons and profile pictures are loaded by then.
    void prewarm(
        const QList<BrowserDestination>& destinations = {}, EmojiPosition emojiPosition = EmojiPosition::besideIcon);

    // Non-null exactly while a picker is shown.
    FloatingPickerPanel* panel() const { return m_panel; }
    PickerViewModel* model() const { return m_model; }
    bool ignoringHeldPrivateKey() const { return m_ignoringHeldPrivateKey; }

Q_SIGNALS:
    // Command-comma in a shown picker; the picker stays.
    void settingsRequested();
    // The picker just presented has drawn its first frame.
    void firstFrameDrawn();
    // The user chose where `url` opens; the picker is gone. A picker replaced by the next one
    // neither chooses nor cancels.
    void chosen(const QUrl& url, const tavro::BrowserDestination& destination, bool privately);
    // The user left the picker without a choice; the picker is gone.
    void cancelled();

protected:
    // The shown panel's keys that are not modifiers; a handled key goes no further.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installEventMonitors();
    // A press somewhere on the display: one outside the picker cancels it.
    void mouseDownSomewhere();
    bool pointerIsOverPanel() const;
    // Another window took the focus: the picker stays above it and keeps the keys.
    void focusTaken();
    // Keys reach the panel whichever window has the focus (the browser just launched that maps its
    // window, a Tavro window the window manager brings back), as a menu's do. Asked again shortly
    // while the server refuses: the panel is not mapped yet, or another client holds the keyboard.
    void takeKeyboard();
    void cancel();
    bool handle(QKeyEvent* event, PickerViewModel* model);
    void updatePrivateMode(quint64 flags);

    QPointer<FloatingPickerPanel> m_panel;
    quint64 m_privateFlag;
    bool m_ignoringHeldPrivateKey = false;
    QMetaObject::Connection m_resignObserver;
    QPointer<GlobalEventMonitor> m_globalMonitor;
    // Asks for the keyboard again while the shown panel does not hold it; goes with its panel.
    QPointer<QTimer> m_keyboardRetry;
    bool m_panelHadFocus = false;
    QPointer<PickerViewModel> m_model;
};

} // namespace tavro
