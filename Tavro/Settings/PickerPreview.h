#pragma once

#include "Tavro/Model/BrowserDestination.h"
#include "Tavro/Model/SettingsEnums.h"

#include <QList>
#include <QSizeF>
#include <QUuid>
#include <QWidget>

namespace tavro {

class DestinationPickerView;
class PickerViewModel;

// The real picker, fully open with four sample profiles, drawn to fit `maxWidth`: scaled down
// when it is narrower than the picker, never up. Display only: it takes no pointer input and is
// kept from screen readers.
class PickerPreview : public QWidget
{
    Q_OBJECT
public:
    PickerPreview(EmojiPosition emojiPosition, double maxWidth, bool isPrivate, QWidget* parent = nullptr);
    ~PickerPreview() override;

    // The sample Chrome work profile: selected and last used.
    static QUuid chromeWorkID();
    // Built anew on each call, so the profile names follow the current language.
    static QList<BrowserDestination> sampleDestinations();

    // The picker's size without the room its canvas keeps for petals pushed outwards.
    QSizeF naturalSize() const;
    double scale() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    DestinationPickerView* pickerView() const { return m_picker; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PickerViewModel* makeModel(EmojiPosition emojiPosition, bool isPrivate);

    double m_maxWidth;
    PickerViewModel* m_model;
    DestinationPickerView* m_picker;
};

} // namespace tavro
