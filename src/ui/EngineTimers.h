#pragma once

#include <QObject>

#include <functional>

class QTimer;

namespace morvane {

class Engine;

/// The two timers that drive the core: the scheduler's (`timerClose`) and the activity
/// sampler's (`timerMouse`). Each follows the core's switch, so with nothing to do neither runs
/// and the program does not wake up at all.
class EngineTimers final : public QObject {
    Q_OBJECT
public:
    /// `afterSchedulerTick` runs after each scheduler tick, to show what it changed.
    EngineTimers(Engine& engine, std::function<void()> afterSchedulerTick, QObject* parent);
    ~EngineTimers() override;
    EngineTimers(const EngineTimers&) = delete;
    EngineTimers& operator=(const EngineTimers&) = delete;

    /// Lets the sampler follow its switch (start-up does this once the window shows).
    void StartPointer();
    /// Stops both for good: the program is ending.
    void StopAll();

private:
    Engine& m_engine;
    QTimer* m_scheduler = nullptr;
    QTimer* m_pointer = nullptr;
    bool m_pointerStarted = false;
};

} // namespace morvane
