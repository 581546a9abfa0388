#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace tavro {

class DestinationPickerView;

// What screen readers see of the picker: a container labelled with the picker's title holding one
// pressable element per petal and one for the hub.
namespace PickerAccessibility {

// Registers the picker's accessibility with Qt; idempotent. The picker view calls it itself.
void install();

// Tells a running screen reader that the petal at `index` has the focus.
void notifyFocus(DestinationPickerView* view, int index);

// Tells a running screen reader that the names of every petal and of the hub changed.
void notifyNamesChanged(DestinationPickerView* view);

} // namespace PickerAccessibility

} // namespace tavro
