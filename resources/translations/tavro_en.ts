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
        <extracomment>Reason shown as %2 of &quot;Couldn’t open the link in %1: %2&quot; when a link is too long to hand to a running Chromium-family browser. %1 is the browser name, e.g. Google Chrome.</extracomment>
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
        <extracomment>Settings sidebar tab and pane title for general app settings (login, menu bar, default browser, updates).</extracomment>
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
        <extracomment>Notice above the profile picker when the bypass browser can&apos;t open a private window. %1 is the browser name, e.g. ChatGPT Atlas.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press %1 to open here</source>
        <extracomment>VoiceOver hint on a profile petal in the link picker. %1 is a keyboard key, e.g. 1 or A.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-check</source>
        <extracomment>Link button that checks again: in a permission banner it rescans for browser profiles after the user grants access; in Settings it re-checks a permission or the default-browser status.</extracomment>
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
        <extracomment>Item of the Share Tavro menu in the Settings sidebar that copies the link to Tavro&apos;s website.
----------
Alert button that copies the failed link to the clipboard.</extracomment>
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
        <extracomment>Alert body asking for Accessibility permission to open private windows. %1 is the browser name, e.g. Safari. Accessibility and System Settings are Apple&apos;s names: use Apple&apos;s official localized names for the macOS privacy pane and app.</extracomment>
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
        <source>Tavro Preferences</source>
        <extracomment>Window title of the Preferences window. Use the same word as the Preferences… menu item.</extracomment>
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
        <source>Click any link. Choose the browser profile where it belongs.</source>
        <extracomment>Subtitle in the onboarding window header.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <extracomment>Onboarding footer button: previous step.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish</source>
        <extracomment>Onboarding footer button on the last step: completes setup.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <extracomment>Onboarding footer button: next step.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Become your link handler</source>
        <extracomment>Onboarding step 1 title: make Tavro the default web browser so it receives links.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To send links to the right place, Tavro needs to be your default web browser. macOS will then hand every external link to Tavro instead of opening one fixed browser.</source>
        <extracomment>Onboarding step 1 explanation.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is your default browser.</source>
        <extracomment>Onboarding confirmation once Tavro is the default web browser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Tavro as Default Browser</source>
        <extracomment>Button that asks macOS to make Tavro the default web browser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS will ask you to confirm.</source>
        <extracomment>Caption under the Set Tavro as Default Browser button in onboarding.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detected destinations</source>
        <extracomment>Onboarding step 2 title: the browser profiles Tavro found. A destination is a browser profile links can open in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rescan</source>
        <extracomment>Onboarding button that scans browsers for profiles again.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <extracomment>Onboarding button that scans installed browsers for profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning browsers…</source>
        <extracomment>Progress label while Tavro scans installed browsers for profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No browsers detected yet.</source>
        <extracomment>Onboarding empty state when no browsers were found.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current profile</source>
        <extracomment>Small lowercase tag next to a profile in onboarding: it opens whatever profile the browser currently has active.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set up your bypass</source>
        <extracomment>Onboarding final step title: configure the modifier-key gesture that skips the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold a modifier while opening a link to skip the picker and go straight to a browser. You can change this later in Settings, including inverting it so every link goes straight there unless you hold the modifier.</source>
        <extracomment>Onboarding bypass step explanation. A modifier is a modifier key such as Option or Command; the picker is Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass with</source>
        <extracomment>Onboarding label above the menu for choosing the bypass modifier key.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Used</source>
        <extracomment>Option in the What to open bypass setting: open bypassed links in the most recently used browser profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What to open</source>
        <extracomment>Bypass setting label: which browser profile a bypassed link opens in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify me when there is an update</source>
        <extracomment>Settings switch label: check for app updates automatically in the background.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for new versions in the background and show an Update button when one’s ready. You can change this anytime in Preferences.</source>
        <extracomment>Caption under the onboarding Notify me when there is an update checkbox.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Safari profiles</source>
        <extracomment>Onboarding Safari step title.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro opens links in the right Safari profile using macOS Accessibility. Grant Tavro access once and keep Safari open the first time so it can read your profile list. After that, it’s remembered.</source>
        <extracomment>Onboarding Safari step explanation. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None yet</source>
        <extracomment>Onboarding checklist status: no Safari profiles detected yet.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Accessibility for Tavro</source>
        <extracomment>Onboarding callout title. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click **Open Accessibility Settings** below.</source>
        <extracomment>Numbered onboarding step. Markdown bold is kept; the bold text must match the Open Accessibility Settings button label.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch **Tavro** on in the list that opens.</source>
        <extracomment>Numbered onboarding step about the Accessibility list in System Settings. Markdown bold is kept; Tavro is the app name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Come back to this window. Tavro reads your Safari profiles automatically.</source>
        <extracomment>Numbered onboarding step.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Accessibility Settings</source>
        <extracomment>Button that opens the Accessibility pane in System Settings. Use Apple&apos;s localized name for Accessibility.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessibility permission</source>
        <extracomment>Card title in the Permissions settings pane. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needed: one tap to grant</source>
        <extracomment>Onboarding checklist status: the permission is still needed and one button grants it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safari open</source>
        <extracomment>Onboarding checklist item: Safari is running.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running</source>
        <extracomment>Onboarding checklist status: Safari is running.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro will open it for you</source>
        <extracomment>Onboarding checklist status: Safari isn&apos;t running yet and Tavro will launch it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles detected</source>
        <extracomment>Onboarding checklist item: Safari profiles were read.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detected Safari profiles</source>
        <extracomment>Heading above the list of Safari profiles Tavro found.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading your Safari profiles…</source>
        <extracomment>Progress label while Tavro reads Safari profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No separate Safari profiles found</source>
        <extracomment>Onboarding result when Safari has only its default profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Safari will open links in its current profile. If you use Safari profiles, open them in Safari and Re-detect.</source>
        <extracomment>Onboarding hint when no Safari profiles were found. Re-detect must match the Re-detect button label.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No profiles read yet</source>
        <extracomment>Onboarding state before Safari profiles have been read.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make sure Safari is open, then Re-detect.</source>
        <extracomment>Onboarding hint. Re-detect must match the Re-detect button label.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-detect</source>
        <extracomment>Onboarding button that reads Safari profiles again.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missing one? Open it in Safari, then Re-detect.</source>
        <extracomment>Onboarding hint next to the Re-detect button when some Safari profiles were found.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Safari profiles? Open them in Safari, then Re-detect.</source>
        <extracomment>Onboarding hint next to the Re-detect button when no Safari profiles were found.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <extracomment>VoiceOver description of the onboarding progress dots. The numbers are the current step and the total, e.g. Step 2 of 4.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Welcome to Tavro</source>
        <extracomment>Window title of the first-run onboarding window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Website</source>
        <extracomment>Link in the About settings pane to Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release Notes</source>
        <extracomment>Link in the About settings pane to Tavro&apos;s release notes page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <comment>website page</comment>
        <extracomment>Link in the About settings pane to Tavro&apos;s help page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact Support</source>
        <extracomment>Link in the About settings pane to Tavro&apos;s support/contact page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <extracomment>Link in the About settings pane to Tavro&apos;s privacy policy page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terms of Use</source>
        <extracomment>Link in the About settings pane to Tavro&apos;s terms of use page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <extracomment>A short button label shown briefly after a copy to the clipboard (About settings pane); also announced.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1 (%2)</source>
        <extracomment>App version line in the About settings pane. The first %1 is the version, the second the build number, e.g. Version 1.4.0 (13).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro gets links where they belong.</source>
        <extracomment>Product tagline in the About settings pane.
----------
The message attached when sharing a link to Tavro&apos;s website from the Settings sidebar; it is the app&apos;s tagline, also shown in the About settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <extracomment>Card title in the About settings pane showing the app and macOS versions.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copies the Tavro and macOS versions, handy for a support request.</source>
        <extracomment>Tooltip on the Copy Version Info button in the About settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Version Info</source>
        <extracomment>Button in the About settings pane that copies the Tavro and macOS versions to the clipboard.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the web</source>
        <extracomment>Card title in the About settings pane listing links to pages on Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About the developer</source>
        <extracomment>Card title in the About settings pane introducing the developer.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is designed, built, and shipped by Vask Haldor, an independent developer who makes every Mirovanta product end to end.</source>
        <extracomment>About settings pane: one sentence about the developer. Vask Haldor and Mirovanta are names; do not translate them.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See Other Projects</source>
        <extracomment>Button in the About settings pane that switches to the Other Projects pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro needs Accessibility to read your Safari profiles and open links in them. Other browsers don’t require it.</source>
        <extracomment>Permissions pane explanation. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads the profile names in Safari’s File menu and presses the matching New Window item, so each link opens in the right profile. In Arc, it opens a window when none is open so the link has somewhere to land.</source>
        <extracomment>Permissions pane: what Tavro uses the Accessibility permission for. File and New Window are Safari menu names; use the names Safari uses in this language.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It never reads web pages, what you type, or any other app, and never sends anything anywhere.</source>
        <extracomment>Permissions pane: what Tavro never does with the Accessibility permission.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro has Accessibility access</source>
        <extracomment>Status line when Accessibility permission is granted.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reduce animations</source>
        <extracomment>Settings switch label: show the picker without its opening animation.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When on, the picker appears fully expanded instead of springing open from the center.</source>
        <extracomment>Caption under the Reduce animations switch. The picker is Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applies to Preferences, the welcome window, and the picker. “System” follows your Mac’s Light or Dark setting.</source>
        <extracomment>Caption under the Appearance setting. “System” must match the System option of that setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image position</source>
        <extracomment>Settings label: where a profile&apos;s emoji or photo sits on its picker petal.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applies to every profile’s image on its petal.</source>
        <extracomment>Caption under the Image position setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <extracomment>Title of the card in the Appearance settings that shows a sample of the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the picker looks when a link arrives.</source>
        <extracomment>Caption under the picker preview in the Appearance settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browser data access</source>
        <extracomment>Card title in the Permissions settings pane for permission to read other browsers&apos; profile data.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since macOS 27, apps are blocked from reading other applications’ data. Tavro reads each browser’s profile list from its data folder, so Chrome, Edge, Brave, and Firefox need access here. Safari is the exception: it uses Accessibility instead.</source>
        <extracomment>Permissions pane explanation. Browser names are not translated. Use Apple&apos;s localized name for the Accessibility privacy setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads only each browser’s list of profiles (their names and folders), and notices when you add or rename one.</source>
        <extracomment>Permissions pane: what Tavro uses browser data access for.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It never reads your history, bookmarks, passwords, or cookies, and never sends anything anywhere.</source>
        <extracomment>Permissions pane: what Tavro never does with browser data access.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro can read your browser profiles</source>
        <extracomment>Status line when browser data access is granted.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blocked for %1</source>
        <extracomment>Status line when macOS blocks reading some browsers&apos; data. %1 is a list of browser names, e.g. Chrome and Edge.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In System Settings, Tavro shows a switch for each browser. Turn on the ones whose profiles you want Tavro to read.</source>
        <extracomment>Hint below the Allow in Files &amp; Folders button. Use Apple&apos;s localized name for System Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <extracomment>Name of the default petal color (no custom color) in Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default web browser</source>
        <extracomment>Card title in the System settings pane about making Tavro the default web browser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro only sees links when it’s set as your default web browser.</source>
        <extracomment>Explanation in the Default web browser card.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is your default browser</source>
        <extracomment>Status line when Tavro is the default web browser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open System Settings…</source>
        <extracomment>Link button that opens System Settings to change the default web browser. Use Apple&apos;s localized name for System Settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show %1 in picker</source>
        <extracomment>Hidden (VoiceOver-only) label of the checkbox that shows or hides a browser profile in the link picker. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unavailable</source>
        <extracomment>Small lowercase badge on a browser profile row in Settings when the browser or profile can no longer be found.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <extracomment>VoiceOver action on a browser profile row in Settings: moves it one place earlier in the picker order.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <extracomment>VoiceOver action on a browser profile row in Settings: moves it one place later in the picker order.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Hotkeys</source>
        <extracomment>Button in the Browsers settings pane that clears all custom per-profile hotkeys.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Profiles</source>
        <extracomment>Button that rescans installed browsers for profiles.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag to reorder. Uncheck to hide a destination. Click a key to record a custom hotkey. A dashed key is the auto-assigned default (1 to 9, then A to Z). Click the emoji to tag a profile for quick spotting in the picker, or use the profile photo when one is available. In the picker, press 0 to open the most recent destination.</source>
        <extracomment>Help text at the top of the Browsers settings pane. A destination is a browser profile links can open in; the picker is the radial link chooser. Keep 1 to 9, A to Z and 0 as is (they are the actual keys).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No browsers detected yet. Click Refresh Profiles.</source>
        <extracomment>Empty state in the Browsers settings pane. Refresh Profiles must match that button&apos;s label.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hyper (⌃⌥⇧⌘)</source>
        <extracomment>Global hotkey prefix option: all four modifier keys held together. Leave the key glyphs unchanged.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Global Hotkeys</source>
        <extracomment>Heading in the Shortcuts settings pane for the system-wide hotkeys that open a profile directly.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable global hotkeys</source>
        <extracomment>Settings switch label: turn the system-wide hotkeys on or off.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prefix</source>
        <extracomment>Settings label: the modifier keys held with every global hotkey.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press a system-wide hotkey to open a profile directly, skipping the picker. The combo is the prefix plus the same key shown on a profile’s picker badge, and %1 0 for your most-recent. Hyper (⌃⌥⇧⌘) is the safe default. It avoids the macOS shortcuts that plainer combos collide with.</source>
        <extracomment>Help text of the Global Hotkeys settings. %1 is the chosen modifier key glyphs, e.g. ⌃⌥⇧⌘. Leave the key glyphs and the 0 unchanged.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most recent</source>
        <extracomment>Global hotkey list row for the key that opens the most recently used profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick answers for setting up and using Tavro. The full guide on %1 covers everything else.</source>
        <extracomment>Intro line of the Help settings pane. %1 is the host name of Tavro&apos;s website; keep it as it is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the Full Guide</source>
        <extracomment>Button in the Help settings pane that opens the full guide on Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run Setup Again</source>
        <extracomment>Button in the Help settings pane that shows the welcome (onboarding) window again.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the welcome window again. Your settings stay as they are.</source>
        <extracomment>Tooltip on the Run Setup Again button in the Help settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get set up</source>
        <extracomment>Card title in the Help settings pane listing the setup steps.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make Tavro your default web browser. macOS only hands links to the default browser.</source>
        <extracomment>Help settings pane, setup step 1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open System</source>
        <extracomment>Help settings pane: button that switches to the System pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using Safari profiles? Grant Accessibility so Tavro can open links in them. Other browsers don’t need it.</source>
        <extracomment>Help settings pane, setup step 2.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Permissions</source>
        <extracomment>Help settings pane: button that switches to the Permissions pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On macOS 27 or later, allow browser data access so Tavro can read your Chrome, Edge, Brave, and Firefox profiles.</source>
        <extracomment>Help settings pane, setup step 3. Chrome, Edge, Brave and Firefox are browser names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrange your profiles: drag to reorder, uncheck to hide, and give each one an emoji or a color.</source>
        <extracomment>Help settings pane, setup step 4.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Browsers</source>
        <extracomment>Help settings pane: button that switches to the Browsers pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using the picker</source>
        <extracomment>Card title in the Help settings pane explaining the picker&apos;s clicks and keys.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When you click a link, Tavro opens a ring of petals under your pointer, one per profile. Click a petal to open the link there.</source>
        <extracomment>Help settings pane: how the picker works.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change these in Shortcuts</source>
        <extracomment>Help settings pane: link that switches to the Shortcuts pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the picker</source>
        <extracomment>Help settings pane: what a plain click on a link does.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the picker in private mode</source>
        <extracomment>Help settings pane: what the private-window click does.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skips the picker and opens %1</source>
        <extracomment>Help settings pane: what the bypass click does. %1 is a profile, such as Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens %1 in a private window</source>
        <extracomment>Help settings pane: what the private bypass click does. %1 is a profile, such as Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skips the picker and opens your last-used profile</source>
        <extracomment>Help settings pane: what the bypass click does when no profile is chosen for it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens your last-used profile in a private window</source>
        <extracomment>Help settings pane: what the private bypass click does when no profile is chosen for it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click</source>
        <extracomment>Help settings pane: a plain click on a link.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 + Click</source>
        <extracomment>Heading for the bypass gesture: %1 is the modifier key&apos;s symbol, %2 its name, as in ⌥ Option + Click.
----------
Bypass summary card heading for clicking a link while holding a modifier key. %1 is the key glyph (e.g. ⌥), %2 is the key name (e.g. Option). Large text; keep short.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 + Click</source>
        <extracomment>Help settings pane: the private-window key&apos;s symbol and a click, as in ⇧ + Click.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2 + Click</source>
        <extracomment>Help settings pane: the private-window key&apos;s symbol, then the bypass key&apos;s, and a click, as in ⇧⌥ + Click.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold %1 in the picker</source>
        <extracomment>Help settings pane: holding the private-window key (its symbol) while the picker shows.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switches to private mode: the profile you choose opens in a private window</source>
        <extracomment>Help settings pane: what holding the private-window key in the picker does.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 to 9, A to Z</source>
        <extracomment>Help settings pane: the picker keys 1 to 9 and A to Z.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the link in the profile with that key</source>
        <extracomment>Help settings pane: what a picker key does.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the link in your most recent profile</source>
        <extracomment>Help settings pane: what the 0 key does in the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moves between petals, then Return chooses</source>
        <extracomment>Help settings pane: what the arrow keys and Return do in the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closes the picker without opening the link</source>
        <extracomment>Help settings pane: what the Escape key does in the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 + key</source>
        <extracomment>Help settings pane: the global hot keys, %1 being the modifier symbols, as in ⌃⌥⌘ + key.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens a new tab in that profile from any app</source>
        <extracomment>Help settings pane: what a global hot key does.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold %1 in the menu</source>
        <extracomment>Help settings pane: holding the private-window key (its symbol) while the menu bar menu is open.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open New Tab in… becomes Open Private Window in…</source>
        <extracomment>Help settings pane: what holding the private-window key in the menu does. Open New Tab in… and Open Private Window in… are menu items; use their translations.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Links open in a browser without the picker.</source>
        <extracomment>Help settings pane, common question 1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is probably no longer your default web browser; some browsers ask to take that back when they update. Check the Default web browser card under System. If you were holding your bypass modifier, or Invert is on, skipping the picker is expected.</source>
        <extracomment>Help settings pane, answer 1. Default web browser, System and Invert are names of settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A Safari link opened in the wrong profile.</source>
        <extracomment>Help settings pane, common question 2.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make sure Safari is already running and Tavro has Accessibility permission. Tavro opens each profile through Safari’s own File menu, so both have to be true.</source>
        <extracomment>Help settings pane, answer 2.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A profile is missing from the picker.</source>
        <extracomment>Help settings pane, common question 3.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For Safari, switch to Safari once so Tavro can look again. For other browsers on macOS 27, check Browser data access under Permissions. Then choose Refresh Browser Profiles from the menu bar icon, and check that the profile isn’t unchecked under Browsers.</source>
        <extracomment>Help settings pane, answer 3. Browser data access, Permissions, Refresh Browser Profiles and Browsers are names of settings and menu items.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How do I send every link to one profile?</source>
        <extracomment>Help settings pane, common question 4.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Under Shortcuts, choose that profile in What to open and turn on Invert. Every click then goes straight there, and holding your modifier brings up the picker.</source>
        <extracomment>Help settings pane, answer 4. Shortcuts, What to open and Invert are names of settings.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Why are some browsers dimmed in private mode?</source>
        <extracomment>Help settings pane, common question 5.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arc and Dia can open an incognito window, but they don’t let another app load a link into it, and handing them the link the usual way opens it in an ordinary window. ChatGPT Atlas isn’t supported for private windows. Tavro never opens a private link in an ordinary window, so these browsers are dimmed while you hold the private-window key.</source>
        <extracomment>Help settings pane, answer 5. Arc, Dia and ChatGPT Atlas are browser names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I hid the menu bar icon. How do I get back here?</source>
        <extracomment>Help settings pane, common question 6.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Tavro again from your Applications folder and this window comes back.</source>
        <extracomment>Help settings pane, answer 6.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How do I uninstall Tavro?</source>
        <extracomment>Help settings pane, common question 7.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First choose another default web browser in System Settings, under Desktop &amp; Dock. Then choose Quit Tavro from the menu bar icon and drag Tavro from Applications to the Trash.</source>
        <extracomment>Help settings pane, answer 7. Quit Tavro is a menu item; Desktop &amp; Dock is a System Settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Common questions</source>
        <extracomment>Card title in the Help settings pane listing common questions.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Learn more</source>
        <extracomment>Help settings pane: link under an answer to the same topic on Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Still need help?</source>
        <extracomment>Card title in the Help settings pane pointing to support.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include the version info from About when you ask. It tells me which Tavro and macOS you’re on.</source>
        <extracomment>Help settings pane: tip for asking for support. Copy Version Info in About gives the version info.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open About</source>
        <extracomment>Help settings pane: button that switches to the About pane.</extracomment>
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
        <source>Keeps your screenshots sorted, searchable, and out of the way.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A calm timer for deep work that stays in the menu bar.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An open-source tool that tidies up Swift package manifests.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An open-source command line for batch-renaming photos by date.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clipboard history that remembers what you copied, privately.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plain-text notes that sync through your own folder.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window layouts you can save and bring back with one key.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A tiny word game for two minutes a day.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads your RSS feeds aloud while you do something else.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A field guide to the small tools that make a Mac feel yours.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes on building and shipping apps alone.</source>
        <extracomment>A one-line summary of another app by the same developer, in the Other Projects settings pane. The app&apos;s name is not translated.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the same workshop.</source>
        <extracomment>Subtitle of the Other Projects settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is one of several products Vask Haldor of Mirovanta designs, builds, and ships end to end. Here’s the rest of the lineup.</source>
        <extracomment>Intro of the Other Projects settings pane. Vask Haldor is the developer&apos;s name and Mirovanta the studio&apos;s; do not translate them.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Personal</source>
        <extracomment>Sample browser profile name in the Appearance preview, for a person&apos;s own (non-work) profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Work</source>
        <extracomment>Sample browser profile name in the Appearance preview, for a work profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checks for new versions of Tavro and downloads them, only when “Notify me when there is an update” is on or you choose Check for Updates. Separately, once a day Tavro always fetches a small file naming the oldest supported version, so it can tell you if yours is too old. That request sends nothing about you or your Mac.</source>
        <extracomment>Explains the update-check network connections in the Privacy settings pane. Notify me when there is an update and Check for Updates are names of controls; use the same translations as those controls.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All routing happens on your Mac. Tavro never sends your links or browsing data anywhere: no accounts, no analytics. Apart from update checks, Tavro makes no network calls.</source>
        <extracomment>Privacy statement in the Privacy settings pane.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network activity</source>
        <extracomment>Card title in the Privacy settings pane listing everything Tavro connects to.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything Tavro ever connects to on its own. Links you open go straight to your browser, never through Tavro’s servers.</source>
        <extracomment>Caption in the Privacy settings pane&apos;s Network activity card.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the full privacy policy</source>
        <extracomment>Link in the Privacy settings pane to the privacy policy on Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Tavro</source>
        <extracomment>The Settings sidebar button that shares a link to Tavro&apos;s website.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share…</source>
        <extracomment>Item of the Share Tavro menu in the Settings sidebar that shows the system&apos;s share sheet.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens the picker</source>
        <extracomment>Bypass summary card: this gesture opens Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens %1</source>
        <extracomment>Bypass summary card: this gesture opens links in the given profile. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens last-used destination</source>
        <extracomment>Bypass summary card: this gesture opens links in the most recently used browser profile.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (unavailable)</source>
        <extracomment>Menu option in the What to open bypass setting for a saved profile that can no longer be found. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bypass</source>
        <extracomment>Heading in the Shortcuts settings pane for the bypass gesture: holding a modifier key to skip the picker.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bypass is two independent settings. The gesture decides when Tavro skips the picker: by default a click opens the picker and holding the modifier skips it, and Invert swaps which gesture does which. “What to open” decides where a skipped link goes. Pick a specific browser and profile, and invert, to send every link there unless you hold the modifier.</source>
        <extracomment>Help text at the top of the Bypass settings pane. Invert and What to open must match those setting labels. The picker is Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modifier key</source>
        <extracomment>Bypass setting label: which modifier key (Option, Command, Shift, Control) to hold while clicking a link.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert</source>
        <extracomment>Bypass setting switch label: swap what a plain click and a modifier-click do.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Private Windows</source>
        <extracomment>Heading in the Shortcuts settings pane for the key that opens links in a private browser window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Private window key</source>
        <extracomment>Private Windows setting label: which modifier key (Shift, Option, Command, Control) to hold for a private browser window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 isn’t available right now, so Tavro shows the picker instead of sending links somewhere you didn’t choose. Your selection is kept until you change it.</source>
        <extracomment>Warning in the Bypass settings pane when the chosen bypass profile is missing. %1 is a browser and profile, e.g. Chrome (Work).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Click</source>
        <extracomment>Bypass summary card heading for a plain click on a link. Large text; keep short.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold %1 %2 with either click gesture for a private window: the picker turns violet and opens the profile you choose in a private window, and the bypass opens its destination in one. It works in the menu bar menu too. Private opens aren’t remembered as last used.</source>
        <extracomment>Help text at the top of the Private Windows settings section. %1 is the key glyph (e.g. ⇧), %2 is the key name (e.g. Shift). The picker is Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Tavro at login</source>
        <extracomment>Settings switch label: start Tavro automatically when the user logs in.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show menu bar icon</source>
        <extracomment>Settings switch label: show Tavro&apos;s icon in the macOS menu bar.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To get back to Preferences, open Tavro again from your Applications folder.</source>
        <extracomment>Caption under the Show menu bar icon switch, shown while the icon is hidden. Preferences is the name of the menu bar item that opens this window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates</source>
        <extracomment>Card title in the About settings pane for app updates.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro checks for new versions in the background and shows an Update button in the menu bar when one’s ready. Turn off to only check manually.</source>
        <extracomment>Caption under the Notify me when there is an update switch.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install updates automatically</source>
        <extracomment>Settings switch label: download and install app updates without asking. Same setting as Sparkle&apos;s Automatically download and install updates checkbox.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When an update is ready, Tavro installs it and reopens on its own, never while the picker is open. Needs “Notify me when there is an update”.</source>
        <extracomment>Caption under the Install updates automatically switch. Notify me when there is an update must match that switch&apos;s label. The picker is Tavro&apos;s radial link chooser.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <extracomment>Link button that checks for app updates now.
----------
Menu bar menu item that checks for app updates.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked %1</source>
        <extracomment>Shown in the About settings pane&apos;s Updates card. %1 is a date and time, e.g. Oct 16, 2026 at 3:12 PM.</extracomment>
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
    <message>
        <source>Tavro can’t save its settings</source>
        <extracomment>Title of the alert shown when Tavro cannot write its settings file.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro can’t write its settings file %1, so the changes made now will be lost when Tavro quits. Remove or rename what is at that path (a folder or a broken link, for example), then start Tavro again.</source>
        <extracomment>Body of the alert shown when Tavro cannot write its settings file. %1 is the file&apos;s path.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <extracomment>Button that closes the alert about settings that cannot be saved.
----------
Button that closes the alert saying this build cannot check for updates.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The link is too long for the system to start %1 with it.</source>
        <extracomment>Reason shown as %2 of &quot;Couldn’t open the link in %1: %2&quot; when a link is longer than the system lets a program be started with. %1 is the browser name, e.g. Google Chrome.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro can’t check for updates</source>
        <extracomment>Title of the alert that answers Check for Updates… in a build that cannot check for updates.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This build of Tavro has no update feed to check.</source>
        <extracomment>Body of the alert that answers Check for Updates… in a build that cannot check for updates: no address to look for new versions at was built into this copy of Tavro.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro</source>
        <extracomment>What a screen reader calls the link picker&apos;s hub when it shows only the Tavro mark: there are destinations, but none was used last.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The application “%1” quit right after it started.</source>
        <extracomment>System error text when an application ended with an error right after it was started, without saying why. %1 is the application name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro couldn’t become your default browser: %1.</source>
        <extracomment>Shown under the Set Tavro as Default Browser button when the request failed. %1 is the reason, in English, e.g. the MIME-applications file exists but could not be read.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <comment>appearance</comment>
        <extracomment>Appearance setting option: follow the macOS light or dark setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <comment>operating system</comment>
        <extracomment>Label in the About settings pane&apos;s Version card for the macOS version line.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop has no Accessibility setting to grant: Safari profiles can’t be opened here, other browsers work without it.</source>
        <extracomment>Permissions pane, in place of the Grant Accessibility button on a desktop that has no such setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Let your user read those browsers’ profile folders, then click Re-check.</source>
        <extracomment>Permissions pane, in place of the Allow in Files &amp; Folders button on a desktop that has no such setting.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or choose Tavro in your desktop’s default applications settings, or run xdg-settings set default-web-browser tavro.desktop</source>
        <extracomment>System pane, in place of the Open System Settings link on a desktop that has no such page.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tavro is named your default browser, but your desktop can’t start it: %1.</source>
        <extracomment>Shown in the Default web browser card and the welcome step when the desktop&apos;s settings name Tavro but the desktop cannot start it. %1 is the reason, in English, e.g. the program its desktop entry names is not there.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
