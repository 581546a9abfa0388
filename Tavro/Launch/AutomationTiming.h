#pragma once

#include <chrono>

namespace tavro {

// Every wait of the launch roads: polls, pauses and deadlines. The defaults are the production
// values; tests shrink them all with `scaled`.
struct AutomationTiming
{
    using ms = std::chrono::milliseconds;

    // Private windows through the menu
    ms menuPressPoll{250};
    ms newWindowPoll{100};
    ms focusSettle{150};
    ms modifierReleaseDeadline{5000};
    ms modifierReleasePoll{50};
    ms loadFocusTimeout{2000};
    ms afterCommandL{200};
    ms afterTyping{100};

    // Arc
    ms arcFirstWait{4000};
    ms arcPoll{100};
    ms arcSettle{300};
    ms arcNewWindowWait{3000};

    // Safari profile road and private road
    ms afterSafariStart{600};
    ms profilePressRetry{250};
    ms cachedWindowSettle{150};
    ms afterProfilePress{250};
    ms afterActivation{150};
    ms beforeClosingBlankWindows{400};
    ms privateMenuTimeout{5000};
    ms privateNewWindowTimeout{3000};
    ms privateFocusTimeout{2000};
    ms firstWindowDeadline{4000};
    ms firstWindowPoll{100};
    ms afterFirstWindow{700};

    // Chromium singleton
    ms chromiumAckTimeout{3000};

    // A browser started with the link whose program ends with an error within this failed to start.
    ms earlyExitWindow{3000};

    // Every value multiplied by `factor` (at least 1 ms each).
    AutomationTiming scaled(double factor) const
    {
        AutomationTiming t = *this;
        for (ms* value : {&t.menuPressPoll, &t.newWindowPoll, &t.focusSettle, &t.modifierReleaseDeadline,
                 &t.modifierReleasePoll, &t.loadFocusTimeout, &t.afterCommandL, &t.afterTyping, &t.arcFirstWait,
                 &t.arcPoll, &t.arcSettle, &t.arcNewWindowWait, &t.afterSafariStart, &t.profilePressRetry,
                 &t.cachedWindowSettle, &t.afterProfilePress, &t.afterActivation, &t.beforeClosingBlankWindows,
                 &t.privateMenuTimeout, &t.privateNewWindowTimeout, &t.privateFocusTimeout, &t.firstWindowDeadline,
                 &t.firstWindowPoll, &t.afterFirstWindow, &t.chromiumAckTimeout, &t.earlyExitWindow}) {
            const auto scaledCount = static_cast<ms::rep>(double(value->count()) * factor);
            *value = ms(scaledCount < 1 ? 1 : scaledCount);
        }
        return t;
    }
};

} // namespace tavro
