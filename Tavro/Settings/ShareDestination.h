#pragma once
// The social networks the share menu offers: for each its name, picture, code and compose page.

#include "Tavro/Model/SettingsEnums.h"

#include <QChar>
#include <QString>
#include <QUrl>

#include <optional>

namespace tavro {

// In the share menu's order.
enum class ShareDestination { x, bluesky, threads, mastodon, reddit, linkedin, facebook, whatsapp };

template <> struct EnumCases<ShareDestination>
{
    static constexpr std::array<std::pair<ShareDestination, std::string_view>, 8> cases{{
        {ShareDestination::x, "x"},
        {ShareDestination::bluesky, "bluesky"},
        {ShareDestination::threads, "threads"},
        {ShareDestination::mastodon, "mastodon"},
        {ShareDestination::reddit, "reddit"},
        {ShareDestination::linkedin, "linkedin"},
        {ShareDestination::facebook, "facebook"},
        {ShareDestination::whatsapp, "whatsapp"},
    }};
};

// The brand name, never translated.
QString displayName(ShareDestination destination);
// "social-<raw value>"; the dark picture adds "-dark".
QString iconName(ShareDestination destination);
// The first letter of the raw value.
QChar shortCode(ShareDestination destination);

// The site root, "/s/", `code` and "s": the site counts shares by the code. The menu's own items use
// the code 'a'. None when it does not parse.
std::optional<QUrl> shareLink(QChar code);

// The network's compose page holding `message` and the share link (only Reddit takes `title`); none
// when either address does not parse.
std::optional<QUrl> composerURL(ShareDestination destination, const QString& message, const QString& title);

} // namespace tavro
