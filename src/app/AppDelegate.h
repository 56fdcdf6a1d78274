#pragma once

// Starts the long-lived services in their fixed order once the event loop runs.
class AppDelegate final
{
public:
    void applicationDidFinishLaunching();
};
