#include "Tavro/Controls/VoiceOver.h"
#include "Tavro/Platform/Announcements.h"

namespace tavro {

void VoiceOver::announce(const QString& text)
{
    if (!Announcements::isVoiceOverRunning() || text.isEmpty())
        return;
    Announcements::post(text, Announcements::Priority::high);
}

} // namespace tavro
