#pragma once

#include <QAbstractButton>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class QVariantAnimation;

namespace tavro {

class EmojiPopover;

// The small button of a destination row that shows what marks the profile on the picker's petals
// (its photo, its emoji, or a placeholder) and opens the emoji popover. It stores nothing: the
// choice goes out through its signals and the row is rebuilt from the settings.
class EmojiPickerButton : public QAbstractButton
{
    Q_OBJECT
    // Read by screen readers through the Settings accessibility traits.
    Q_PROPERTY(QString accessibilityValue READ accessibilityValue)
public:
    EmojiPickerButton(const std::optional<QString>& emoji, const std::optional<QString>& photoPath, bool preferEmoji,
        const QString& profileName, QWidget* parent = nullptr);
    ~EmojiPickerButton() override;

    const std::optional<QString>& emoji() const { return m_emoji; }
    const std::optional<QString>& photoPath() const { return m_photoPath; }
    // The photo is shown whenever there is a path and the emoji is not preferred, loaded or not.
    bool photoShown() const { return m_photoPath.has_value() && !m_preferEmoji; }
    bool hasContent() const { return m_emoji.has_value() || photoShown(); }

    QString helpText() const;
    QString accessibilityValue() const;

    // The open popover, or none.
    EmojiPopover* popover() const;
    void setPopoverShown(bool shown);

    // Reports `emoji` (none for "No emoji") and closes the popover.
    void choose(const std::optional<QString>& emoji);
    // Reports that the profile photo is wanted and closes the popover.
    void usePhoto();

    // The grid shown for an empty search: 32 emoji, eight to a line.
    static const QStringList& defaultEmoji();

    QSize sizeHint() const override;

    static constexpr int hoverFadeMilliseconds = 120;

Q_SIGNALS:
    // `preferEmoji` says whether the emoji is to win over the photo. It is decided on what the
    // stored emoji will be: a value that is no emoji is stored as none, and preferring it would
    // hide the photo with nothing drawn in its place.
    void emojiSelected(const std::optional<QString>& emoji, bool preferEmoji);
    void usePhotoSelected();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void animateHover(bool hovering);

    std::optional<QString> m_emoji;
    std::optional<QString> m_photoPath;
    bool m_preferEmoji;
    QString m_profileName;
    double m_hover = 0; // 0 not hovered .. 1 hovered, animated
    QVariantAnimation* m_hoverAnimation;
    QPointer<EmojiPopover> m_popover;
};

} // namespace tavro
