#pragma once
// The Safari profile readers: Safari's tabs database, and the names in Safari's File menu items.
// Reopens the namespace whose blank-name test lives with the model.

#include "Tavro/Launch/SafariMenuText.h"
#include "Tavro/Model/DiscoveryHints.h"
#include "Tavro/Model/SafariProfileNames.h"

#include <QList>
#include <QString>

#include <optional>

namespace tavro {
class FileSystemReading;
struct SafariMenuItem;
} // namespace tavro

namespace tavro::SafariProfileDiscovery {

// The outcome of reading Safari's tabs database.
class DBAccess
{
public:
    enum class Kind {
        rows,                // opened and queried; the list may be empty
        needsFullDiskAccess, // the file exists but could not be opened (refused, or no regular file)
        notApplicable,       // no such file
        malformed,           // opened, but the query failed (caught half-written, or another layout)
    };

    static DBAccess rows(QList<DiscoveredProfile> profiles) { return DBAccess(Kind::rows, std::move(profiles)); }
    static DBAccess needsFullDiskAccess() { return DBAccess(Kind::needsFullDiskAccess); }
    static DBAccess notApplicable() { return DBAccess(Kind::notApplicable); }
    static DBAccess malformed() { return DBAccess(Kind::malformed); }

    Kind kind() const { return m_kind; }
    // The profiles of `rows`; empty otherwise.
    const QList<DiscoveredProfile>& profiles() const { return m_profiles; }

    bool operator==(const DBAccess&) const = default;

private:
    explicit DBAccess(Kind kind, QList<DiscoveredProfile> profiles = {}) : m_kind(kind), m_profiles(std::move(profiles))
    { }

    Kind m_kind;
    QList<DiscoveredProfile> m_profiles;
};

// Safari's Library in its sandbox container: "<home>/Library/Containers/com.apple.Safari/Data/Library/Safari".
QString libraryFolder(const QString& home);
// "<libraryFolder>/SafariTabs.db".
QString dbPath(const FileSystemReading& fileSystem);

// Reads the profiles from the tabs database, opened read-only and immutable so that Safari's
// locks are never waited on and nothing is ever written. Each profile's id is its name.
DBAccess readDB(const FileSystemReading& fileSystem);

// The profile named in a File-menu item's identifier ("New" + percent-encoded name +
// "Window?isDefaultProfile=" + "true"/"false"); the rule is shared with the menu automation.
using MenuProfile = SafariMenuText::ProfileMarker;
inline std::optional<MenuProfile> profileIdentifier(const QString& identifier)
{
    return SafariMenuText::profileIdentifier(identifier);
}

// The profile name as the menu title spells it: identifiers may carry it with its spaces removed.
QString displayName(const QString& id, const QString& title);

// The name in an English title "New <name> Window"; nothing for "New Window" and
// "New Private Window".
std::optional<QString> englishProfileName(const QString& title);

// The name with every white-space character removed, for comparing names.
inline QString squashed(const QString& name)
{
    return SafariMenuText::squashed(name);
}

// The profiles named by File-menu items, in menu order, each once; blank names are skipped.
QList<DiscoveredProfile> parseProfiles(const QList<SafariMenuItem>& items);

// The plain-text report behind "--diagnose-safari": installation, the tabs database,
// Accessibility trust, the File-menu items and the profiles parsed from them. Ends with a line
// break. Never fails: problems are lines of the report.
QString diagnostics(const FileSystemReading& fileSystem);

// A list written as an array literal: ["a", "b \"c\""].
QString listDescription(const QStringList& list);

} // namespace tavro::SafariProfileDiscovery
