#pragma once
// One control bound to one value kept elsewhere (a field of the settings record, an updater
// preference), in one line for both directions: the control shows the value now and again after
// every change its keeper announces, with the control's own signals blocked so that showing never
// writes; a change the user makes is written once.

#include "Tavro/Model/AppSettings.h"
#include "Tavro/Model/SettingsStore.h"

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>

class QButtonGroup;
class QComboBox;

namespace tavro::SettingBinding {

// Where a bound value lives. A control holds it as it holds its own data: a switch as a bool, a
// segment as its id, a pop-up row as the row's data; an enumeration as its int.
struct Value
{
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
    // Calls `reread` after every change of the keeper, for as long as `control` lives.
    std::function<void(QObject* control, std::function<void()> reread)> follow;
};

template <typename T> QVariant toData(const T& value)
{
    if constexpr (std::is_enum_v<T>)
        return QVariant(int(value));
    else
        return QVariant::fromValue(value);
}

template <typename T> T fromData(const QVariant& data)
{
    if constexpr (std::is_enum_v<T>)
        return T(data.toInt());
    else
        return data.value<T>();
}

// What `read` returns, written by `write`; `changed` of `keeper` announces a change.
template <typename Keeper, typename Changed, typename Read, typename Write>
Value value(Keeper& keeper, Changed changed, Read read, Write write)
{
    using T = std::decay_t<std::invoke_result_t<Read>>;
    return {[read = std::move(read)] { return toData<T>(read()); },
        [write = std::move(write)](const QVariant& data) { write(fromData<T>(data)); },
        [&keeper, changed](QObject* control, std::function<void()> reread) {
            QObject::connect(&keeper, changed, control, std::move(reread));
        }};
}

// What `read` takes from the settings record, written by `write` (which goes through the store).
template <typename Read, typename Write> Value setting(SettingsStore& store, Read read, Write write)
{
    return value(
        store, &SettingsStore::settingsChanged, [&store, read = std::move(read)] { return read(store.settings()); },
        std::move(write));
}

// A field of the settings record, written through the store.
template <typename T> Value setting(SettingsStore& store, T AppSettings::*field)
{
    return setting(
        store, [field](const AppSettings& settings) { return settings.*field; },
        [&store, field](const T& chosen) { store.edit([&](AppSettings& settings) { settings.*field = chosen; }); });
}

// A row of a pop-up: its text and the data it stands for.
struct Row
{
    QString label;
    QVariant data;
};
using Rows = std::function<QList<Row>()>;

// Each returns the control it binds. A switch or a check box writes every flip at once.
QAbstractButton* bind(QAbstractButton* toggle, Value value);
template <std::derived_from<QAbstractButton> Toggle> Toggle* bind(Toggle* toggle, Value value)
{
    bind(static_cast<QAbstractButton*>(toggle), std::move(value));
    return toggle;
}
// The segment whose id is the value is the one checked; a click on one writes its id.
QButtonGroup* bind(QButtonGroup* segments, Value value);
// The row whose data is the value is the one chosen, none when no row has it; choosing a row
// writes its data. `rows`, when given, fills the pop-up afresh before each showing: rows that
// depend on other settings.
QComboBox* bind(QComboBox* popUp, Value value, Rows rows = {});

} // namespace tavro::SettingBinding
