// The main window: the 2x2 table of counts, the three percentages and the result.
#pragma once

#include "framework/window.h"

#include <memory>

class ControlWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }
};

// The live window of the class, or a new one when none is alive.
std::shared_ptr<class ControlWnd> ControlWnd();
