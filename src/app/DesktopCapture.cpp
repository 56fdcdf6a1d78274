#include "app/DesktopCapture.h"

DesktopCapture::DesktopCapture(Clock &clock)
    : m_names(ApplicationNames::standardFolders()),
      m_detector({m_applications, m_selection, m_keys, m_pasteboard, clock, m_names})
{
}
