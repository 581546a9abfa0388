#include "Tavro/Shell/AppActivityAssertion.h"

#include "Tavro/Platform/ProcessActivity.h"

namespace tavro {

AppActivityAssertion::~AppActivityAssertion()
{
    ProcessActivity::end(m_token);
}

} // namespace tavro
