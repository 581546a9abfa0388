#pragma once

#include <QWidget>

#include <functional>

class QPushButton;
class QVBoxLayout;

namespace tavro {

class BrandLabel;
class LinkButton;

// The card the panes group things in: a column padded 14 on a `Brand.frostDeep` rounded
// rectangle, and the pieces its cards share.
class SettingsCard : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPadding = 14;
    static constexpr double kCornerRadius = 9;

    explicit SettingsCard(int spacing, QWidget* parent = nullptr);
    // A card that starts with `title` (see title()); `spacing` separates it and each row after it.
    explicit SettingsCard(const QString& title, int spacing = 10, QWidget* parent = nullptr);

    QVBoxLayout* column() const { return m_column; }

    // 13 pt semibold `Brand.navy`, a heading.
    static BrandLabel* title(const QString& text);
    // `Brand.textSecondary`, wrapped to the width it is given and never cut.
    static BrandLabel* caption(const QString& text, double points = 11.5);
    // The link-styled button, 11 pt.
    static LinkButton* link(const QString& text, std::function<void()> action);
    // The prominent solid button.
    static QPushButton* prominentButton(const QString& text, std::function<void()> action);
    // What a permission is used for (an accent check mark) and what it is never used for (a cross).
    static QWidget* disclosure(const QString& used, const QString& neverUsed);
    // A row of widgets from the leading edge, `spacing` apart.
    static QWidget* row(const QList<QWidget*>& widgets, int spacing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_column;
};

} // namespace tavro
