#include "framework/timer.h"

#include "framework/application.h"
#include "framework/control_class.h"

#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace fw {

struct TimerImpl {
    QTimer timer;
    std::int64_t runMode = 0;
};

const ClassRecord& Timer::Class() {
    static const ClassRecord& record = RuntimeRegisterClass(ControlClass<Timer>(
        Control::Class(),
        {
            Property<&Timer::SetPeriod>("Period"),
            Property<&Timer::SetRunMode>("RunMode"),
        },
        {kAction}));
    return record;
}

Timer::Timer() : impl_(std::make_unique<TimerImpl>()) {
    impl_->timer.setInterval(1000);
    // Qt's default coarse timers may fire up to 5 % early; a period is a
    // period.
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] { RunHandler([this] { Fire(); }); });
}

Timer::~Timer() = default;

void Timer::SetPeriod(std::int64_t ms) {
    impl_->timer.setInterval(int(std::clamp<std::int64_t>(ms, 0, INT32_MAX)));
}

void Timer::SetRunMode(std::int64_t mode) {
    impl_->runMode = mode;
    impl_->timer.stop();
    if (mode == 0) return;
    impl_->timer.setSingleShot(mode == 1);
    impl_->timer.start();
}

std::int64_t Timer::Period() const { return impl_->timer.interval(); }
std::int64_t Timer::RunMode() const { return impl_->runMode; }
bool Timer::IsRunning() const { return impl_->timer.isActive(); }

void Timer::Fire() { Raise(*this, kAction, *this); }

}  // namespace fw
