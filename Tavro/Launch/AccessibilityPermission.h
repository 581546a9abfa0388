#pragma once

namespace tavro {

namespace AccessibilityPermission {

// The Accessibility trust state, asked for without the system prompt. When not trusted, one
// Accessibility read is made so the system lists Tavro in its Accessibility privacy settings and
// the user only has to switch it on.
bool registerInList();

} // namespace AccessibilityPermission

} // namespace tavro
