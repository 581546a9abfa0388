#pragma once

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QVBoxLayout;

namespace tavro {

class PickerPreview;
class SettingsStore;
class SettingsView;

// The light or dark look, where a profile's image sits on its petal, and a live preview of the
// picker that follows the image position.
class AppearanceSettingsView : public QWidget
{
    Q_OBJECT
public:
    static constexpr double kPreviewMaxWidth = 440;

    explicit AppearanceSettingsView(SettingsView& view, QWidget* parent = nullptr);
    ~AppearanceSettingsView() override;

    // The segments system, light and dark, with the appearance as each one's id.
    QButtonGroup* appearancePicker() const { return m_appearance; }
    QComboBox* imagePositionPicker() const { return m_imagePosition; }
    PickerPreview* preview() const { return m_preview; }

protected:
    // Qt's menus and segments take the window's appearance when they come on screen.

private:
    void refresh();

    SettingsStore& m_store;
    QButtonGroup* m_appearance;
    QComboBox* m_imagePosition;
    QVBoxLayout* m_previewColumn = nullptr;
    PickerPreview* m_preview = nullptr;
};

} // namespace tavro
