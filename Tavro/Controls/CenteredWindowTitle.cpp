#include "Tavro/Controls/CenteredWindowTitle.h"

namespace tavro {

void CenteredWindowTitle::apply(QWidget*)
{
    // No title-bar view of our own exists to centre a label in (see the header).
}

} // namespace tavro
