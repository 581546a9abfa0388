#pragma once
// The support-policy file: the oldest version of Tavro that is still supported.

#include "Tavro/Shell/SupportPolicyFetch.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace tavro {

struct SupportPolicy
{
    // Larger files are refused unread.
    static constexpr qsizetype kMaxBytes = SupportPolicyFetch::kMaxBytes;

    QString minimumVersion;

    // Where the file is published, set when Tavro is built.
    static QUrl url();

    // The policy in `data`: a JSON object whose "minimumVersion" is a readable version. Nothing
    // for anything else, including a file over kMaxBytes.
    static std::optional<SupportPolicy> decode(const QByteArray& data);
};

} // namespace tavro
