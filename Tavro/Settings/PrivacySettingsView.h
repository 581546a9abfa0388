#pragma once
// The Privacy pane: what Tavro does with the user's data, the one address it contacts on its own
// and why, and the full policy on the website.

#include "Tavro/Settings/NetworkSurface.h"

#include <QList>
#include <QWidget>

namespace tavro {

class PrivacySettingsView : public QWidget
{
    Q_OBJECT
public:
    explicit PrivacySettingsView(QWidget* parent = nullptr);

    // Everything Tavro connects to on its own: the host that serves the update checks and the
    // support-policy file.
    static QList<NetworkSurface::Endpoint> networkSurface();

private:
    // A hyperlink to the site page `path`, tagged with `content`.
    QWidget* siteLink(const QString& title, const QString& path, const QString& content);
};

} // namespace tavro
