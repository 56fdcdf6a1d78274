#include "app/DesktopCapture.h"

DesktopCapture::DesktopCapture(Clock &clock)
    : m_names(ApplicationNames::standardFolders()),
      m_detector({m_applications, {&m_accessibleSelection, &m_primarySelection}, m_keys, m_pasteboard, clock, m_names})
{
}
