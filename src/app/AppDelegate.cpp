#include "app/AppDelegate.h"

#include "app/SystemLog.h"
#include "state/AppState.h"

void AppDelegate::applicationDidFinishLaunching()
{
    SystemLog::write(QStringLiteral("[Orvane] Application did finish launching..."));
    AppState::shared();
}
