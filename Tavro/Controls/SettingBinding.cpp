#include "Tavro/Controls/SettingBinding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QSignalBlocker>

namespace tavro::SettingBinding {

namespace {

// Runs `show` now and after every change of the value's keeper, with `control` silent meanwhile.
void showFollowing(QObject* control, const Value& value, std::function<void()> show)
{
    auto reread = [control, show = std::move(show)] {
        const QSignalBlocker block(control);
        show();
    };
    reread();
    value.follow(control, std::move(reread));
}

} // namespace

QAbstractButton* bind(QAbstractButton* toggle, Value value)
{
    QObject::connect(toggle, &QAbstractButton::toggled, toggle, [write = value.write](bool on) { write(on); });
    showFollowing(toggle, value, [toggle, read = value.read] { toggle->setChecked(read().toBool()); });
    return toggle;
}

QButtonGroup* bind(QButtonGroup* segments, Value value)
{
    QObject::connect(segments, &QButtonGroup::idClicked, segments, [write = value.write](int id) { write(id); });
    showFollowing(segments, value, [segments, read = value.read] {
        if (QAbstractButton* segment = segments->button(read().toInt()))
            segment->setChecked(true);
    });
    return segments;
}

QComboBox* bind(QComboBox* popUp, Value value, Rows rows)
{
    // `activated` comes from the user alone.
    QObject::connect(popUp, &QComboBox::activated, popUp,
        [popUp, write = value.write](int index) { write(popUp->itemData(index)); });
    showFollowing(popUp, value, [popUp, read = value.read, rows = std::move(rows)] {
        if (rows) {
            popUp->clear();
            for (const Row& row : rows())
                popUp->addItem(row.label, row.data);
        }
        popUp->setCurrentIndex(popUp->findData(read()));
    });
    return popUp;
}

} // namespace tavro::SettingBinding
