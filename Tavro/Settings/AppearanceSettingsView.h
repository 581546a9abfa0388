#pragma once

#include <QWidget>

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

private:
    void rebuildPreview();

    SettingsStore& m_store;
    QVBoxLayout* m_previewColumn = nullptr;
    PickerPreview* m_preview = nullptr;
};

} // namespace tavro
