#include "Tavro/Picker/PickerViewModel.h"

#include "Tavro/Model/BrowserDefinition.h"
#include "Tavro/Model/Characters.h"
#include "Tavro/Model/HotkeyAssignment.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Platform/SystemSound.h"

#include <QCoreApplication>

#include <cmath>

namespace tavro {

PickerViewModel::PickerViewModel(QObject* parent) : QObject(parent) { }

QPointF PickerViewModel::unitVector(MoveDirection direction)
{
    switch (direction) {
    case MoveDirection::up:
        return {0, -1};
    case MoveDirection::down:
        return {0, 1};
    case MoveDirection::left:
        return {-1, 0};
    case MoveDirection::right:
        return {1, 0};
    }
    return {};
}

void PickerViewModel::setSelectedIndex(int index)
{
    if (index == m_selectedIndex)
        return;
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged(index);
}

void PickerViewModel::setPrivate(bool isPrivate)
{
    if (isPrivate == m_isPrivate)
        return;
    m_isPrivate = isPrivate;
    Q_EMIT isPrivateChanged(isPrivate);
}

bool PickerViewModel::canOpenPrivateWindows(const BrowserDestination& destination)
{
    const auto definition = BrowserDefinition::definition(destination.browserBundleIdentifier);
    return definition && definition->privateMechanism().has_value();
}

bool PickerViewModel::isChoosable(const BrowserDestination& destination) const
{
    return !m_isPrivate || canOpenPrivateWindows(destination);
}

bool PickerViewModel::acceptsPrivately(const BrowserDestination& destination) const
{
    if (isChoosable(destination))
        return true;
    SystemSound::beep();
    return false;
}

void PickerViewModel::choose(int index)
{
    if (index < 0 || index >= destinations.size())
        return;
    setSelectedIndex(index);
    // Copied: a receiver may close the picker and change the list.
    const BrowserDestination destination = destinations[index];
    if (!acceptsPrivately(destination))
        return;
    Q_EMIT chosen(destination, m_isPrivate);
}

void PickerViewModel::chooseSelected()
{
    if (m_selectedIndex < 0 || m_selectedIndex >= destinations.size())
        return;
    const BrowserDestination destination = destinations[m_selectedIndex];
    if (!acceptsPrivately(destination))
        return;
    Q_EMIT chosen(destination, m_isPrivate);
}

void PickerViewModel::cancel()
{
    Q_EMIT cancelled();
}

bool PickerViewModel::chooseByKey(const QString& key)
{
    const QString character = firstCharacter(key.toLower());
    if (character.isEmpty())
        return false;
    if (character == HotkeyAssignment::mostRecentKey) {
        const auto index = lastUsedIndex();
        if (!index)
            return false;
        choose(*index);
        return true;
    }
    const auto keys = HotkeyAssignment::resolve(destinations);
    for (int i = 0; i < destinations.size(); ++i) {
        if (keys.value(destinations[i].id) == character) {
            choose(i);
            return true;
        }
    }
    return false;
}

void PickerViewModel::moveSelection(int delta)
{
    const auto count = int(destinations.size());
    if (count == 0)
        return;
    // Double modulo keeps large negative steps on the ring.
    setSelectedIndex(((m_selectedIndex + delta) % count + count) % count);
}

void PickerViewModel::moveSelection(MoveDirection direction)
{
    const auto count = int(destinations.size());
    if (count < 2)
        return;
    const auto offsets = FlowerLayout(count).petalOffsets(screenRoom);
    if (m_selectedIndex < 0 || m_selectedIndex >= offsets.size())
        return;
    const int next = (m_selectedIndex + 1) % count;
    const int previous = (m_selectedIndex - 1 + count) % count;
    const QPointF here = offsets[m_selectedIndex];
    const QPointF unit = unitVector(direction);
    const auto along = [&](int index) { return QPointF::dotProduct(offsets[index] - here, unit); };
    const double toNext = along(next);
    const double toPrevious = along(previous);
    if (std::abs(toNext - toPrevious) < 1e-6) {
        const bool backwards = direction == MoveDirection::up || direction == MoveDirection::left;
        moveSelection(backwards ? -1 : 1);
        return;
    }
    setSelectedIndex(toNext > toPrevious ? next : previous);
}

std::optional<int> PickerViewModel::lastUsedIndex() const
{
    if (!lastUsedID)
        return std::nullopt;
    for (int i = 0; i < destinations.size(); ++i) {
        if (destinations[i].id == *lastUsedID)
            return i;
    }
    return std::nullopt;
}

QString PickerViewModel::accessibilityTitle() const
{
    const QString host = url.host(QUrl::FullyEncoded);
    if (!host.isEmpty()) {
        //: Title of the link picker window. %1 is the website's host name, e.g. example.com.
        return QCoreApplication::translate("Tavro", "Choose where to open %1").arg(host);
    }
    //: Title of the link picker window when the link has no host name.
    return QCoreApplication::translate("Tavro", "Choose where to open this link");
}

} // namespace tavro
