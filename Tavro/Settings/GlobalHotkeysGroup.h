#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QVBoxLayout;

namespace tavro {

class BrandLabel;
class SettingsStore;

// The Shortcuts pane's last block: system-wide hot keys on or off, their prefix, and the list of
// combinations in force. It only writes the settings; the shell registers the keys from them.
class GlobalHotkeysGroup : public QWidget
{
    Q_OBJECT
public:
    explicit GlobalHotkeysGroup(SettingsStore& store, QWidget* parent = nullptr);

    BrandLabel* helpText() const { return m_help; }
    // Absent from the layout while the hot keys are off.
    QWidget* list() const { return m_list; }
    // Each row of the list as "<combo>\t<label>", in order.
    QStringList rows() const;

private:
    // What follows the settings beside the two controls: the help text, whether the prefix can be
    // changed, and the list.
    void showHotkeys();

    SettingsStore& m_store;
    BrandLabel* m_help;
    QComboBox* m_prefix;
    QWidget* m_list;
    QVBoxLayout* m_listColumn;
};

} // namespace tavro
