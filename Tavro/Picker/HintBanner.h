#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tavro {

// What the banners' buttons do beyond this folder: they belong to the discovery and shell sides,
// which hand them in (empty ones do nothing).
struct HintBannerActions
{
    std::function<void()> registerForAccessibility;    // puts Tavro into the Accessibility list
    std::function<void()> openAccessibilitySettings;   // System Settings, Accessibility privacy list
    std::function<void()> probeBrowserData;            // touches browser data so Tavro is listed
    std::function<void()> openFilesAndFoldersSettings; // System Settings, Files & Folders list
};

// The frame both hint banners share: an accent symbol, a title, a message, the banner's own rows,
// and a button row of a prominent action and a "Re-check" link, on a faint accent card.
class HintBanner : public QWidget
{
    Q_OBJECT
public:
    QString title() const;
    QString message() const;
    // The primary button's label; empty when the banner has none.
    QString primaryLabel() const;
    QString symbol() const { return m_symbol; }
    QPushButton* primaryButton() const { return m_primary; }
    QPushButton* recheckButton() const { return m_recheck; }

    static QString recheckText();

protected:
    HintBanner(const QString& symbol, const QString& title, const QString& message, QWidget* parent);

    // Adds the prominent button, then the "Re-check" link that calls `onRecheck`.
    void addButtons(const QString& primaryLabel, std::function<void()> primary, std::function<void()> onRecheck);
    QVBoxLayout* column() const { return m_column; }
    // Labels coloured `Brand.textSecondary` (the title is `Brand.navy`) when the banner is shown.
    void addSecondaryLabel(QLabel* label) { m_secondary.append(label); }

    void paintEvent(QPaintEvent* event) override;

private:
    void refreshColours();

    QString m_symbol;
    QLabel* m_title;
    QLabel* m_message;
    QVBoxLayout* m_column;
    QPushButton* m_primary = nullptr;
    QPushButton* m_recheck = nullptr;
    QList<QLabel*> m_secondary; // children of the banner
};

} // namespace tavro
