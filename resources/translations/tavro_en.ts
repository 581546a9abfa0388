<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Tavro</name>
    <message>
        <source>Couldn’t find %1. It may have been moved or uninstalled.</source>
        <extracomment>Error shown in an alert when a browser app can&apos;t be found. %1 is the browser name, e.g. Google Chrome.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t open the link in %1: %2</source>
        <extracomment>Error shown in an alert when a browser failed to launch. %1 is the browser name; %2 is the system&apos;s own error description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link is too long for %1 to take while it is open. Quit %1, then open the link again.</source>
        <extracomment>Reason shown after &quot;Couldn&apos;t open the link in %@:&quot; when a link is too long to hand to a running Chromium-family browser. %1 is the browser name, e.g. Google Chrome.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro needs Accessibility permission to open private windows in %1.</source>
        <extracomment>Error text when Accessibility permission is missing for opening a private browser window. %1 is the browser name, e.g. Safari. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 couldn’t open the link in a private window. If its private browsing is locked, unlock it and try again. The link wasn’t opened, so it stays private.</source>
        <extracomment>Error shown when Tavro couldn&apos;t open a link in a private browser window. %1 is the browser name, e.g. Safari.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 can’t open private windows from Tavro. The link wasn’t opened, so it stays private.</source>
        <extracomment>Error shown when a browser has no private-window support in Tavro. %1 is the browser name, e.g. ChatGPT Atlas.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Private browsing in %1 is locked. Unlock it, then open the link again. The link wasn’t opened, so it stays private.</source>
        <extracomment>Error shown when Safari&apos;s private browsing is locked behind a password. %1 is the browser name, e.g. Safari.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safari has no “New %1 Window” menu item. The profile may have been renamed.</source>
        <extracomment>Error shown when Safari&apos;s File menu has no item for a profile. %1 is the Safari profile name. “New %1 Window” quotes Safari&apos;s own English menu item title, which Tavro matches literally.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro needs Accessibility permission to open links in a specific Safari profile.</source>
        <extracomment>Error text about the missing Accessibility permission. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soft Ice</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frost Silver</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Glacier Mint</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pale Slate</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shallow Aqua</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warm Sand</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arctic Rose</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lavender Ice</source>
        <extracomment>Name of a pastel petal background color, shown as a tooltip in Settings. Short, evocative color name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Profile</source>
        <extracomment>Profile name shown for a browser with no separately detected profiles: opens the browser in whatever profile is active. Appears on picker petals and in menus; keep short (about 16 characters).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Option</source>
        <extracomment>Name of the Option (⌥) modifier key, as shown in Settings pickers. Use Apple&apos;s localized key name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command</source>
        <extracomment>Name of the Command (⌘) modifier key, as shown in Settings pickers. Use Apple&apos;s localized key name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift</source>
        <extracomment>Name of the Shift (⇧) modifier key, as shown in Settings pickers. Use Apple&apos;s localized key name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control</source>
        <extracomment>Name of the Control (⌃) modifier key, as shown in Settings pickers. Use Apple&apos;s localized key name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center</source>
        <extracomment>Settings picker option for where a profile emoji sits on its picker petal: centered.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beside Icon</source>
        <extracomment>Settings picker option for where a profile emoji sits on its picker petal: next to the browser icon.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom Left</source>
        <extracomment>Settings picker option for where a profile emoji sits on its picker petal: bottom-left corner.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom Right</source>
        <extracomment>Settings picker option for where a profile emoji sits on its picker petal: bottom-right corner.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <extracomment>Settings sidebar tab and pane title for general app settings (login, menu bar, default browser, updates). Also the Appearance setting option that follows the macOS light or dark setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light</source>
        <extracomment>Appearance setting option: always use the light look. Use Apple&apos;s localized name for the macOS Light appearance.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dark</source>
        <extracomment>Appearance setting option: always use the dark look. Use Apple&apos;s localized name for the macOS Dark appearance.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let Tavro see your %1 profiles</source>
        <extracomment>Banner title when macOS blocks reading browser profile data. %1 is a list of browser names, e.g. Chrome and Edge.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS blocks Tavro from reading other apps’ data, so it can’t list %1 profiles yet:</source>
        <extracomment>Banner body introducing numbered steps to grant access. %1 is a list of browser names, e.g. Chrome and Edge.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>browser</source>
        <extracomment>Fallback word used in place of a list of browser names when none are known, e.g. Let Tavro see your browser profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click **Allow in Files &amp; Folders…** below.</source>
        <extracomment>First step in the browser data banner; the bold part must match the Allow in Files &amp; Folders… button.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In that list, click the **⌄ arrow next to Tavro** to expand it.</source>
        <extracomment>Second step in the browser data banner.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch on each browser under it (%1).</source>
        <extracomment>Third step in the browser data banner. %1 is a list of browser names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Come back and click **Re-check**.</source>
        <extracomment>Last step in the browser data banner; the bold part must match the Re-check button.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow in Files &amp; Folders…</source>
        <extracomment>Button that opens the Files &amp; Folders privacy pane in System Settings. Use Apple&apos;s localized name for Files &amp; Folders.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Built by {0}</source>
        <extracomment>Developer credit in Settings and About. {0} is replaced by the developer&apos;s name, which links to his site; keep {0} exactly as written.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PRIVATE</source>
        <extracomment>Caption on the link picker&apos;s hub in private-window mode.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAST USED</source>
        <extracomment>Caption under the last used profile on the link picker&apos;s hub.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No destinations</source>
        <extracomment>Shown on the link picker&apos;s hub when there are no browser profiles to choose from.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last used</source>
        <extracomment>Tooltip on the clock icon marking the most recently used profile petal in the link picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Private window</source>
        <extracomment>VoiceOver announcement when the link picker switches to private mode (Shift held): links open in a private browser window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 can’t open private windows</source>
        <extracomment>Notice above the profile picker when the bypass browser can&apos;t open a private window. %1 is the browser name, e.g. ChatGPT Atlas.
----------
Notice above the profile picker when the bypass browser can&apos;t open a private window. %@ is the browser name, e.g. ChatGPT Atlas.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 to open here</source>
        <extracomment>VoiceOver hint on a profile petal in the link picker. %1 is a keyboard key, e.g. 1 or A.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-check</source>
        <extracomment>Link button in a permission banner that rescans for browser profiles after the user grants access.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose where to open %1</source>
        <extracomment>Title of the link picker window. %1 is the website&apos;s host name, e.g. example.com.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose where to open this link</source>
        <extracomment>Title of the link picker window when the link has no host name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal window</source>
        <extracomment>VoiceOver announcement when the link picker leaves private mode: links open in a normal browser window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let Tavro see your Safari profiles</source>
        <extracomment>Banner title when Safari profiles can&apos;t be read because Accessibility permission is missing.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Safari to detect its profiles</source>
        <extracomment>Banner title when Safari profiles can&apos;t be read because Safari isn&apos;t running.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro reads your Safari profiles from Safari’s menus, using the same Accessibility permission it uses to open links in them. Allow Tavro under Accessibility, then re-check.</source>
        <extracomment>Banner body explaining why Accessibility permission is needed. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro detects Safari profiles from a running Safari. Open Safari, then re-check and your profiles will appear as destinations.</source>
        <extracomment>Banner body shown when Safari isn&apos;t running. Destinations are the browser profiles links can open in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grant Accessibility…</source>
        <extracomment>Button that opens the Accessibility pane in System Settings. Use Apple&apos;s localized name for Accessibility.
----------
Alert button that opens the Accessibility pane in System Settings. Use Apple&apos;s localized name for Accessibility.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Safari</source>
        <extracomment>Button that launches Safari.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro couldn’t open that link</source>
        <extracomment>Alert title when launching a browser for a clicked link failed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Link</source>
        <extracomment>Alert button that copies the failed link to the clipboard.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dismiss</source>
        <extracomment>Alert button that closes the could-not-open-link alert.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let Tavro open private windows</source>
        <extracomment>Alert title asking the user to grant Accessibility permission so Tavro can open private browser windows.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To open links in a private %1 window, allow Tavro under Accessibility in System Settings. The link wasn’t opened, so it stays private.</source>
        <extracomment>Alert body asking for Accessibility permission to open private windows. %@ is the browser name, e.g. Safari. Accessibility and System Settings are Apple&apos;s names: use Apple&apos;s official localized names for the macOS privacy pane and app.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let Tavro open Safari profiles</source>
        <extracomment>Alert title asking the user to grant Accessibility permission so Tavro can open Safari profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To open links in a specific Safari profile, allow Tavro under Accessibility in System Settings. The link was opened in Safari for now.</source>
        <extracomment>Alert body asking for Accessibility permission. Accessibility and System Settings are Apple&apos;s names: use Apple&apos;s official localized names for the macOS privacy pane and app.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Later</source>
        <extracomment>Unsupported-version alert button that closes the alert without updating.
----------
Alert button that postpones granting a permission.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Another…</source>
        <extracomment>Button in the could-not-open-link alert that reopens the profile picker to choose a different browser profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 isn’t available right now</source>
        <extracomment>Notice shown above the profile picker when the configured bypass browser profile is missing. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application “%1” can’t be opened.</source>
        <extracomment>System error text when an application could not be started. %1 is the application name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Name of the default petal color (no custom color) in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press a key… (Esc cancels, Delete resets to default)</source>
        <extracomment>Shown and spoken while the hotkey field in Settings waits for a key press.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hotkey for %1</source>
        <extracomment>Accessibility label of the hotkey field of a browser profile in Settings. %1 is the profile&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom hotkey. Click to change.</source>
        <extracomment>Tooltip of a hotkey field in Settings whose key the user chose.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default hotkey. Click to set your own.</source>
        <extracomment>Tooltip of a hotkey field in Settings whose key Tavro assigned.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Petal color for %1</source>
        <extracomment>Accessibility label of the petal color button of a browser profile in Settings. %1 is the profile&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Petal color: %1. Click to change.</source>
        <extracomment>Tooltip of the petal color button in Settings. %1 is the name of the chosen color.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set a background color for this profile’s petal.</source>
        <extracomment>Tooltip of the petal color button in Settings when the profile uses the default color.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Petal color</source>
        <extracomment>Title of the popover that chooses a profile&apos;s petal background color in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emoji for %1</source>
        <extracomment>Accessible name of the button that sets a browser profile&apos;s emoji in Settings. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Showing the profile photo. Click to use an emoji instead.</source>
        <extracomment>Tooltip of a profile&apos;s emoji button in Settings while it shows the browser&apos;s profile photo.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the profile photo, or set an emoji, to identify this profile in the picker.</source>
        <extracomment>Tooltip of a profile&apos;s emoji button in Settings when the profile has a photo but neither it nor an emoji is in use.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set an emoji to identify this profile in the picker.</source>
        <extracomment>Tooltip of a profile&apos;s emoji button in Settings when the profile has no photo and no emoji. The picker is the radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile emoji. Click to change.</source>
        <extracomment>Tooltip of a profile&apos;s emoji button in Settings while it shows the profile&apos;s emoji.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile photo</source>
        <extracomment>Accessible value of a profile&apos;s emoji button in Settings while it shows the browser&apos;s profile photo.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <extracomment>Accessible value of a profile&apos;s emoji button in Settings when no emoji is set.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear search</source>
        <extracomment>Accessible name of the button that empties the emoji search field in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use profile photo</source>
        <extracomment>Button in the emoji popover of a browser profile in Settings: show the browser&apos;s own profile photo instead of an emoji.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose an emoji</source>
        <extracomment>Title in the emoji popover of a browser profile in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by name, or paste an emoji</source>
        <extracomment>Placeholder of the search field in the emoji popover of a browser profile in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No emoji</source>
        <extracomment>Button in the emoji popover of a browser profile in Settings that removes the profile&apos;s emoji.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No emoji found for “%1”</source>
        <extracomment>Shown in the emoji popover of Settings when a search finds nothing. %1 is what the user typed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browsers</source>
        <extracomment>Settings pane title (and sidebar tab) for the list of browser profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appearance</source>
        <extracomment>Settings label for choosing Tavro&apos;s light or dark look: System, Light, or Dark. Use Apple&apos;s localized name for the macOS Appearance setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <extracomment>Settings sidebar tab and pane title for keyboard settings: the bypass modifier key and the global hotkeys.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permissions</source>
        <extracomment>Settings sidebar tab and pane title for macOS privacy permissions.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility</source>
        <extracomment>Settings sidebar tab and pane title for accessibility options such as reducing the picker&apos;s animation. Use the word macOS uses for its own Accessibility settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Privacy</source>
        <extracomment>Settings sidebar tab and pane title explaining what Tavro does and doesn&apos;t do with your data.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Projects</source>
        <extracomment>Settings pane title (and sidebar tab) listing the developer&apos;s other apps.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <extracomment>Settings sidebar tab and pane title for setup steps, shortcuts, and common questions.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <extracomment>Settings sidebar tab and pane title for app information.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please update Tavro</source>
        <extracomment>Title of the alert shown when this version of Tavro is no longer supported and should be updated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro %1 is no longer supported. Update to version %2 or later to keep getting fixes.</source>
        <extracomment>Body of the unsupported-version alert. The first value is the running version, the second the oldest supported version, both like 1.9.1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Now</source>
        <extracomment>Unsupported-version alert button that starts the app update.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro Preferences</source>
        <extracomment>Window title of the Preferences window. Use the same word as the Preferences… menu item.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: update available</source>
        <extracomment>Menu bar icon tooltip when an app update is available. %1 is the app name (Tavro or Tavro Dev).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: gets links where they belong</source>
        <extracomment>Menu bar icon tooltip; the product tagline. %1 is the app name (Tavro or Tavro Dev).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Tavro</source>
        <extracomment>App menu item (Cmd-H) that hides the app&apos;s windows.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <extracomment>App menu item (Cmd-W) that closes the front window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close and Keep in Menu Bar</source>
        <extracomment>App menu item (Cmd-Q) that closes the window but keeps Tavro running in the menu bar.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Tavro</source>
        <extracomment>Window title of the first-run onboarding window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update to v%1</source>
        <extracomment>Menu bar menu item shown when an update is available. %1 is the version number, e.g. 1.5.0; keep the v prefix if natural.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open New Tab in…</source>
        <extracomment>Menu bar menu item that opens a submenu listing browser profiles to open a new tab in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Private Window in…</source>
        <extracomment>Menu bar menu item shown in place of Open New Tab in… while Shift is held: opens a submenu listing browser profiles to open a private window in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Browser Profiles</source>
        <extracomment>Menu bar menu item that rescans installed browsers for profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <extracomment>Menu bar menu item that checks for app updates.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences…</source>
        <extracomment>Menu bar menu item that opens the Settings window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Tavro</source>
        <extracomment>Menu bar menu item that quits the app.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Private</source>
        <extracomment>Shown at the right of each menu bar submenu item, where its keyboard shortcut normally is, while the private-window key is held: the item opens a private browser window. One short word.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most Recent</source>
        <extracomment>Menu bar submenu item under Open New Tab in…: opens the most recently used browser profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold %1 %2 for a private window</source>
        <extracomment>Dimmed hint at the bottom of the Open New Tab in… menu bar submenu. First %1 is the key glyph (e.g. ⇧), second %2 is the key name (e.g. Shift).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens a private window</source>
        <extracomment>Dimmed hint at the bottom of the menu bar submenu while Shift is held: choosing a profile opens a private browser window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
