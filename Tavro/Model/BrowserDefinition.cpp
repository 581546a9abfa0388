#include "Tavro/Model/BrowserDefinition.h"

#include "Tavro/Platform/DesktopApplications.h"

namespace tavro {

QString rawValue(ProfileFamily family)
{
    switch (family) {
    case ProfileFamily::safari:
        return QStringLiteral("safari");
    case ProfileFamily::chromium:
        return QStringLiteral("chromium");
    case ProfileFamily::firefox:
        return QStringLiteral("firefox");
    case ProfileFamily::unsupported:
        return QStringLiteral("unsupported");
    }
    Q_UNREACHABLE();
}

std::optional<ProfileFamily> profileFamilyFromRawValue(const QString& raw)
{
    for (ProfileFamily family :
        {ProfileFamily::safari, ProfileFamily::chromium, ProfileFamily::firefox, ProfileFamily::unsupported}) {
        if (rawValue(family) == raw)
            return family;
    }
    return std::nullopt;
}

const QList<BrowserDefinition>& BrowserDefinition::registry()
{
    using F = ProfileFamily;
    auto row = [](const char* id, const char* name, QAnyStringView bundle, F family,
                   std::optional<QString> subpath = std::nullopt) {
        return BrowserDefinition{
            QString::fromUtf8(id), QString::fromUtf8(name), {bundle.toString()}, family, std::move(subpath)};
    };
    // A function-local static is initialised exactly once, also when two threads race to it.
    static const QList<BrowserDefinition> table{
        row("chrome", "Google Chrome", "com.google.Chrome", F::chromium, QStringLiteral("Google/Chrome")),
        row("chrome-beta", "Chrome Beta", "com.google.Chrome.beta", F::chromium, QStringLiteral("Google/Chrome Beta")),
        row("chrome-dev", "Chrome Dev", "com.google.Chrome.dev", F::chromium, QStringLiteral("Google/Chrome Dev")),
        row("chrome-canary", "Chrome Canary", "com.google.Chrome.canary", F::chromium,
            QStringLiteral("Google/Chrome Canary")),
        row("chromium", "Chromium", "org.chromium.Chromium", F::chromium, QStringLiteral("Chromium")),
        row("brave", "Brave", "com.brave.Browser", F::chromium, QStringLiteral("BraveSoftware/Brave-Browser")),
        row("edge", "Microsoft Edge", "com.microsoft.edgemac", F::chromium, QStringLiteral("Microsoft Edge")),
        row("vivaldi", "Vivaldi", "com.vivaldi.Vivaldi", F::chromium, QStringLiteral("Vivaldi")),
        row("arc", "Arc", "company.thebrowser.Browser", F::unsupported),
        row("dia", "Dia", "company.thebrowser.dia", F::unsupported),
        row("comet", "Comet", "ai.perplexity.comet", F::chromium, QStringLiteral("Comet")),
        row("opera", "Opera", "com.operasoftware.Opera", F::chromium, QStringLiteral("com.operasoftware.Opera")),
        row("atlas", "ChatGPT Atlas", "com.openai.atlas", F::unsupported),
        row("safari", "Safari", safariBundleIdentifier, F::safari),
        row("firefox", "Firefox", "org.mozilla.firefox", F::firefox),
        row("firefox-dev", "Firefox Developer Edition", "org.mozilla.firefoxdeveloperedition", F::firefox),
        row("zen", "Zen Browser", "app.zen-browser.zen", F::firefox),
        row("tor", "Tor Browser", "org.torproject.torbrowser", F::unsupported),
    };
    return table;
}

std::optional<BrowserDefinition> BrowserDefinition::definition(const QString& bundleIdentifier)
{
    const QString application = DesktopApplications::applicationIdentifier(bundleIdentifier);
    for (const BrowserDefinition& row : registry()) {
        if (row.bundleIdentifiers.contains(application))
            return row;
    }
    return std::nullopt;
}

std::optional<QString> BrowserDefinition::noProfilesLabel() const
{
    if (profileFamily != ProfileFamily::unsupported)
        return std::nullopt;
    if (id == QLatin1String("tor"))
        return QStringLiteral("Tor");
    return displayName;
}

std::optional<PrivateWindowMechanism> BrowserDefinition::privateMechanism() const
{
    if (id == QLatin1String("edge"))
        return PrivateWindowMechanism::launchArgument(QStringLiteral("--inprivate"));
    if (id == QLatin1String("opera"))
        return PrivateWindowMechanism::launchArgument(QStringLiteral("--private"));
    if (id == QLatin1String("arc") || id == QLatin1String("dia") || id == QLatin1String("atlas"))
        return std::nullopt;
    if (id == QLatin1String("tor"))
        return PrivateWindowMechanism::alwaysPrivate();
    switch (profileFamily) {
    case ProfileFamily::safari:
        return PrivateWindowMechanism::accessibilityMenuItem();
    case ProfileFamily::chromium:
        return PrivateWindowMechanism::launchArgument(QStringLiteral("--incognito"));
    case ProfileFamily::firefox:
        return PrivateWindowMechanism::launchArgument(QStringLiteral("-private-window"));
    case ProfileFamily::unsupported:
        return std::nullopt;
    }
    Q_UNREACHABLE();
}

} // namespace tavro
