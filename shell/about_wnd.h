// The About window, which is also the start-up screen.
#pragma once

#include "framework/window.h"

#include <memory>

class AboutWnd : public fw::Window {
public:
    static const fw::ClassRecord& Class();
    const fw::ClassRecord& Record() const override { return Class(); }
};

// The live window of the class, or a new one when none is alive.
std::shared_ptr<class AboutWnd> AboutWnd();
