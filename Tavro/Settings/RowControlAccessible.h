#pragma once

class QWidget;

namespace tavro::RowControlAccessible {

// Qt's own interface for a button carries neither a value nor a selected state, and a label has no
// heading role; the Browsers rows' painted controls and their popovers need all three. A button
// opts in by having the `accessibilityValue` property (and, when it can be selected, the
// `accessibilitySelected` property); a label by `markHeading`.
inline constexpr char valueProperty[] = "accessibilityValue";
inline constexpr char selectedProperty[] = "accessibilitySelected";

// Registers the interfaces with Qt; idempotent. The controls call it themselves.
void install();

// Makes screen readers present `label` as a heading. Call before anything asks for its interface.
void markHeading(QWidget* label);

} // namespace tavro::RowControlAccessible
