#pragma once

#include <QWidget>

namespace tavro {

class SettingsView;

// "Reduce animations" and the Accessibility permission card of Permissions.
class AccessibilitySettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit AccessibilitySettingsView(SettingsView& view, QWidget* parent = nullptr);
};

} // namespace tavro
