#pragma once
// The Preferences window read as a person reads it: a section's sidebar row, the section whose row
// is selected, and the pane on screen. Rows and panes are named by their section's raw value.

#include "Tavro/Settings/SettingsView.h"
#include "Tavro/Settings/SidebarRow.h"

#include <QCoreApplication>

#include <optional>

namespace tavro::test {

inline SidebarRow* sidebarRow(const SettingsView& view, SettingsSection section)
{
    return view.findChild<SidebarRow*>(SettingsView::rawValue(section));
}

inline std::optional<SettingsSection> selectedSection(const SettingsView& view)
{
    for (SettingsSection section : SettingsView::allCases()) {
        if (SidebarRow* row = sidebarRow(view, section); row && row->isSelected())
            return section;
    }
    return std::nullopt;
}

// The pane shown, once the one it replaced is gone; none before the window first comes on screen.
inline QWidget* shownPane(const SettingsView& view)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (SettingsSection section : SettingsView::allCases()) {
        for (QWidget* widget : view.findChildren<QWidget*>(SettingsView::rawValue(section))) {
            if (!qobject_cast<SidebarRow*>(widget))
                return widget;
        }
    }
    return nullptr;
}

} // namespace tavro::test
