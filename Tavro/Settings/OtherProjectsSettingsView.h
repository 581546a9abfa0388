#pragma once
// The Other Projects pane: the developer in one paragraph and his other apps and sites as cards.
// Every address it opens goes through Tavro's own link routing, so the bypass or the picker decides
// where it lands, as for a link clicked in any other app.

#include <QList>
#include <QUrl>
#include <QWidget>

#include <optional>

namespace tavro {

class OtherProjectsSettingsView : public QWidget
{
    Q_OBJECT
public:
    struct Project
    {
        QString name;    // never translated; the card's identity
        QString summary; // localised when the table is built
        QString url;     // without the referral items
        QString image;   // a "webp" picture of the resource bundle, under projects/
    };

    // `columns` is the width of the grid.
    explicit OtherProjectsSettingsView(int columns, QWidget* parent = nullptr);

    // The eleven projects in order, built once: the summaries keep the language of the first use.
    static const QList<Project>& projects();
    // `address` with its own items first, then the referral items of this pane.
    static std::optional<QUrl> taggedURL(const QString& address);
    // A name in the intro that links to its site: where it lies in the text, and the tagged address.
    struct IntroLink
    {
        qsizetype start;
        qsizetype length;
        QUrl url;
    };
    // The links of `text` in its order: the first "Vask Haldor" and the first "Mirovanta", to the
    // developer's and the studio's sites, tagged. A name the text lacks has none, nor one inside the
    // other: the first keeps its link.
    static QList<IntroLink> introLinks(const QString& text);

Q_SIGNALS:
    // A link or a card asks for `url` to open through Tavro's routing.
    void routeRequested(const QUrl& url);

private:
    QWidget* card(const Project& project);
};

} // namespace tavro
