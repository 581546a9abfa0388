#pragma once
// Turns automatic update checks on, once, for a user who had Tavro before checks were opt-in and
// who never made a choice of their own.

namespace tavro {

class UserDefaults;

namespace UpdateCheckMigration {

// Marks itself done before anything else, so it never runs twice, even when the update
// preference is removed later. A new user (no settings record yet) is left to choose in
// onboarding.
void run(UserDefaults& defaults);

} // namespace UpdateCheckMigration
} // namespace tavro
