// A timer control, raising Action from the event loop.
#pragma once

#include "framework/control.h"

#include <memory>

namespace fw {

struct TimerImpl;

// A timer: RunMode 0 is off, 1 fires once, 2 fires every Period ms. Its
// Action is raised from the event loop.
class Timer : public Control {
public:
    static constexpr std::string_view kClassName = "Timer";
    static constexpr EventOf<void(Timer&)> kAction{"Action"};
    static const ClassRecord& Class();
    const ClassRecord& Record() const override { return Class(); }
    Timer();
    ~Timer() override;
    void SetPeriod(std::int64_t milliseconds);
    void SetRunMode(std::int64_t mode);
    std::int64_t Period() const;
    std::int64_t RunMode() const;
    bool IsRunning() const;
    // Raises Action as the event loop does when the period ends.
    void Fire();

private:
    UIThreadOnly<std::unique_ptr<TimerImpl>> impl_;
};

}  // namespace fw
