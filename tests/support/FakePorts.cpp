#include "FakePorts.h"

void FakeAppearance::change(bool isDark)
{
    dark = isDark;
    if (m_handler)
        m_handler();
}
