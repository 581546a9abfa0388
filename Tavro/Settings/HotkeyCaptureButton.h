#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>

#include <optional>

class QKeyEvent;

namespace tavro {

// The key cap of a destination row in Preferences: shows the key that picks the destination in the
// link picker, records a new one from a single key press, and reports the choice through
// `assigned`. It stores nothing; the row that holds it is built anew with the keys the store keeps.
class HotkeyCaptureButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString accessibilityValue READ accessibilityValue)
public:
    // `custom`: the key the user chose (absent: assigned automatically); `effective`: the key the
    // destination has in the picker now, absent when it has none; `profileName`: its label.
    HotkeyCaptureButton(std::optional<QString> custom, std::optional<QString> effective, QString profileName,
        QWidget* parent = nullptr);
    ~HotkeyCaptureButton() override;

    void setProfileName(const QString& profileName);

    const std::optional<QString>& custom() const { return m_custom; }
    const std::optional<QString>& effective() const { return m_effective; }
    bool isHovering() const { return m_hovering; }

    // The prompt() while recording, else the key in force.
    QString accessibilityValue() const;
    // The spoken and tooltip prompt while recording.
    static QString prompt();

    QSize sizeHint() const override { return {30, 26}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // A recorded key's text, or nothing to return the destination to its automatic key.
    void assigned(const std::optional<QString>& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::optional<QColor> fill() const;
    QColor stroke() const;
    void toggle();
    void start();
    void stop();
    void handleKey(const QKeyEvent& event);
    void refresh();

    std::optional<QString> m_custom;
    std::optional<QString> m_effective;
    QString m_profileName;
    bool m_recording = false;
    bool m_hovering = false;
    // The application-wide filter that stands for the key and mouse-down monitors while recording.
    bool m_monitoring = false;
    // A press on this cap ended the recording: the click it completes must not start a new one.
    bool m_pressEndedRecording = false;
    bool m_pressOnlyStops = false;
};

} // namespace tavro
