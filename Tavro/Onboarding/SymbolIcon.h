#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QString>
#include <QWidget>

namespace tavro {

// One of our symbols at a fixed size in one of the named colours, resolved each time it is drawn.
// Decoration only: screen readers never see it.
class SymbolIcon : public QWidget
{
    Q_OBJECT
public:
    SymbolIcon(const QString& name, double size, const ColorPair& color, QWidget* parent = nullptr);

    QString name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    ColorPair m_color;
};

} // namespace tavro
