#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QWidget>

namespace tavro {

// One of our symbol drawings in a named colour, resolved each time it is drawn; kept from screen
// readers, since the text beside it says the same.
class SymbolIcon : public QWidget
{
    Q_OBJECT
public:
    SymbolIcon(const QString& name, const ColorPair& color, QSize size, QWidget* parent = nullptr);

    QString name() const { return m_name; }
    ColorPair color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    ColorPair m_color;
};

} // namespace tavro
