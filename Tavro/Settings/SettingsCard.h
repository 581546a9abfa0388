#pragma once

#include <QWidget>

class QVBoxLayout;

namespace tavro {

// The card the Help, About and Privacy panes put their groups in: a heading over rows, padded, on a
// rounded `Brand.frostDeep` field that spans the pane's width.
class SettingsCard : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kPadding = 14;
    static constexpr double kCornerRadius = 9;

    // `spacing` separates the title and each row added to column().
    explicit SettingsCard(const QString& title, int spacing = 10, QWidget* parent = nullptr);

    QVBoxLayout* column() const { return m_column; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_column;
};

} // namespace tavro
