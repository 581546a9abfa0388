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

// The frame both hint banners share: an accent symbol, a title, a message, the banner's own rows,
// and a button row of a prominent action and a "Re-check" link, on a faint accent card. What the
// buttons ask for beyond this folder belongs to the discovery and shell sides, which connect to the
// requests (a request nobody connects to does nothing).
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

Q_SIGNALS:
    // "Re-check".
    void recheckRequested();
    // The prominent button, in this order: put Tavro into the Accessibility list, then open that
    // list in System Settings.
    void registerForAccessibilityRequested();
    void openAccessibilitySettingsRequested();
    // The prominent button, in this order: touch browser data so that the system lists Tavro, then
    // open the Files & Folders list in System Settings.
    void probeBrowserDataRequested();
    void openFilesAndFoldersSettingsRequested();

protected:
    HintBanner(const QString& symbol, const QString& title, const QString& message, QWidget* parent);

    // Adds the prominent button that calls `primary` (none for an empty label), then the
    // "Re-check" link.
    void addButtons(const QString& primaryLabel, std::function<void()> primary);
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
