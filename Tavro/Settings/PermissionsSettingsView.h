#pragma once

#include <QWidget>

namespace tavro {

class SettingsView;

// The two system permissions Tavro depends on, each with where to grant it and a re-check.
class PermissionsSettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionsSettingsView(SettingsView& view, QWidget* parent = nullptr);
};

} // namespace tavro
