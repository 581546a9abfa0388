#pragma once
// Stands for what an application bundle's Info.plist says, in the form a Linux desktop keeps it:
// a freedesktop desktop entry ("<id>.desktop": groups of key=value lines, localised keys, an Exec
// line with field codes).

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

namespace tavro {

// Why a desktop cannot start the application of a desktop entry.
enum class EntryLaunchError {
    notInstalled,   // no entry of that id is in the entry folders, or the first one is hidden
    badCommand,     // its Exec is missing or cannot be split into arguments
    missingProgram, // the program its Exec or TryExec names is not there
    notExecutable,  // that program is there but is no file this user may run
};

QString description(EntryLaunchError error);

class DesktopEntry
{
public:
    static constexpr const char* kMainGroup = "Desktop Entry";

    // nullopt when the file cannot be read or holds no group at all.
    static std::optional<DesktopEntry> read(const QString& path);
    static std::optional<DesktopEntry> parse(const QByteArray& contents);

    // The value of `key` in `group` with its escapes (\s \n \t \r \\) resolved. For a localised key
    // ("Name[de_AT]") the best match for `locale` ("lang_COUNTRY.ENCODING@MODIFIER") is taken, in the
    // standard's order: lang_COUNTRY@MODIFIER, lang_COUNTRY, lang@MODIFIER, lang, the plain key.
    std::optional<QString> value(
        const QString& key, const QString& locale = {}, const QString& group = QString::fromLatin1(kMainGroup)) const;
    // A boolean key: only "true" counts as true.
    bool flag(const QString& key) const;
    // Whether a desktop can start this entry's application: it is not hidden, its TryExec (if any)
    // and the program of its Exec can be run, and its Exec splits into arguments.
    std::expected<void, EntryLaunchError> checkLaunchable() const;

    // Whether a desktop can run `program` as Exec or TryExec names it: an absolute path must be an
    // executable file, a bare name one found on PATH.
    static std::expected<void, EntryLaunchError> checkProgram(const QString& program);

    // The Exec value split into its arguments by the quoting rules (double quotes, backslash before
    // " ` $ and \ inside them); nullopt for an unterminated quote or an empty line.
    static std::optional<QStringList> splitExec(const QString& exec);
    // The Exec arguments with their field codes expanded: %u %U %f %F stand for `arguments` (where
    // none stands, they go at the end), %i for "--icon <Icon>", %c for the name, %k for the entry's
    // file, %% for "%"; the deprecated codes are dropped.
    static QStringList expandExec(const QStringList& exec, const QStringList& arguments, const QString& name,
        const QString& icon, const QString& entryPath);

private:
    QHash<QString, QHash<QString, QString>> m_groups; // raw values, first occurrence of each key
};

} // namespace tavro
