#include "ui/EngineTimers.h"

#include "core/Engine.h"

#include <QPointer>
#include <QTimer>

namespace morvane {

EngineTimers::EngineTimers(Engine& engine, std::function<void()> afterSchedulerTick,
                           QObject* parent)
    : QObject(parent), m_engine(engine) {
    m_scheduler = new QTimer(this);
    m_scheduler->setObjectName(QStringLiteral("timerClose"));
    m_scheduler->setInterval(500);
    connect(m_scheduler, &QTimer::timeout, this, [this, after = std::move(afterSchedulerTick)] {
        m_engine.SchedulerTick();
        if (after) {
            after();
        }
    });
    m_pointer = new QTimer(this);
    m_pointer->setObjectName(QStringLiteral("timerMouse"));
    m_pointer->setInterval(1000);
    connect(m_pointer, &QTimer::timeout, this, [this] { m_engine.MouseTick(); });

    // The QTimers follow the core's switches; the core decides when each runs.
    QPointer<QTimer> timer(m_scheduler);
    m_engine.SetSchedulerListener([timer](bool on) {
        if (timer != nullptr) {
            on ? timer->start() : timer->stop();
        }
    });
    if (m_engine.IsSchedulerOn()) {
        m_scheduler->start();
    }
    QPointer<EngineTimers> self(this);
    m_engine.SetSamplerListener([self](bool on) {
        if (self != nullptr && self->m_pointerStarted) {
            on ? self->m_pointer->start() : self->m_pointer->stop();
        }
    });
}

EngineTimers::~EngineTimers() {
    m_engine.SetSchedulerListener({});
    m_engine.SetSamplerListener({});
}

void EngineTimers::StartPointer() {
    m_pointerStarted = true;
    if (m_engine.IsSamplerOn()) {
        m_pointer->start();
    }
}

void EngineTimers::StopAll() {
    m_pointerStarted = false;
    m_scheduler->stop();
    m_pointer->stop();
}

} // namespace morvane
