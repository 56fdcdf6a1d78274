#pragma once

#include <QObject>

#include <memory>
#include <vector>

class AppState;
class EdgeHoverDetector;
class WhisperNotchView;
class WindowHints;

// One notch window per notch frame of the edge detector, replaced whenever
// it rebuilds its windows.
class WhisperNotchWindows final : public QObject
{
    Q_OBJECT

public:
    WhisperNotchWindows(const AppState &state, EdgeHoverDetector &detector, WindowHints &hints, QObject *parent = nullptr);
    ~WhisperNotchWindows() override;

    const std::vector<std::unique_ptr<WhisperNotchView>> &views() const { return m_views; }

private:
    void rebuild();

    const AppState &m_state;
    EdgeHoverDetector &m_detector;
    WindowHints &m_hints;
    std::vector<std::unique_ptr<WhisperNotchView>> m_views;
};
