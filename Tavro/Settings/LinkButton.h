#pragma once

#include "Tavro/Model/ColorPair.h"

#include <QAbstractButton>

namespace tavro {

// A button drawn as a hyperlink: its title alone, underlined, in the pane's tint. Screen readers hear
// it as a link.
class LinkButton : public QAbstractButton
{
    Q_OBJECT
public:
    LinkButton(const QString& title, double points, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tavro
