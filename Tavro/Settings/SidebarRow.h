#pragma once

#include <QAbstractButton>
#include <QString>

namespace tavro {

// One row of the Preferences sidebar: the section's symbol and title on a rounded highlight that
// is filled while the row's section is shown. The whole padded rectangle takes the click. Screen
// readers meet it as a tab named by its title (the symbol is drawn, not read), selected while its
// section is shown; it is no check box, so a change of section is told as a change of selection.
class SidebarRow : public QAbstractButton
{
    Q_OBJECT
public:
    static constexpr double kIconFrame = 18;
    static constexpr double kIconSize = 15;
    static constexpr double kSpacing = 9;
    static constexpr double kHorizontalPadding = 10;
    static constexpr double kVerticalPadding = 7;
    static constexpr double kCornerRadius = 7;

    SidebarRow(const QString& title, const QString& icon, QWidget* parent = nullptr);

    QString icon() const { return m_icon; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_icon;
    bool m_selected = false;
};

} // namespace tavro
