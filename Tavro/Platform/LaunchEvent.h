#pragma once
// Stands for the launch event the system sends an application as it starts: open the application
// (started by the user, or as a login item) or open URLs.

#include <QList>
#include <QUrl>

#include <optional>

namespace tavro {

class LaunchEvent
{
public:
    enum class Kind {
        openApplication,
        openApplicationAsLoginItem,
        openURLs,
    };

    // Whoever starts Tavro as a login item sets this variable to "login-item"; it is cleared once
    // read, so that the browsers Tavro starts do not inherit it.
    static constexpr const char* kLaunchKindVariable = "TAVRO_LAUNCH_KIND";

    // Works out this process's launch event from the links it was started with and the
    // environment, and makes it the current one.
    static Kind takeFromProcess(const QList<QUrl>& links);

    // The event of this launch, once the entry point has recorded it.
    static std::optional<Kind> current();
    static void setCurrent(std::optional<Kind> kind);
};

} // namespace tavro
