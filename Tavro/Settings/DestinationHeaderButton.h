#pragma once

#include <QPushButton>
#include <QString>

class QVariantAnimation;

namespace tavro {

// A quiet header button of the Browsers pane: a symbol, then the text, and while busy a small
// spinning indicator before them. The label is drawn here, since the shared button style draws
// text alone; screen readers get the text as the button's name and nothing of the symbol.
class DestinationHeaderButton : public QPushButton
{
    Q_OBJECT
public:
    DestinationHeaderButton(const QString& symbol, const QString& text, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    QString label() const { return m_label; }
    bool isBusy() const { return m_busy; }
    void setBusy(bool busy);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int kSpacing = 6;
    static constexpr int kSymbolSize = 14;
    static constexpr int kIndicatorSize = 14;
    static constexpr double kDisabledOpacity = 0.45;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QString m_label;
    bool m_busy = false;
    QVariantAnimation* m_spin;
};

} // namespace tavro
