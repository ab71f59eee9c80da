// The application's two pictures, loaded from its resources when first
// needed and then kept. A load that failed is tried again on the next call;
// nullptr means the picture could not be had this time.
#pragma once

#include <memory>

#include "framework/picture.h"

// The main window's info icon, 32 by 32.
std::shared_ptr<fw::Picture> Info32();

// The About window's picture, 100 by 105.
std::shared_ptr<fw::Picture> Rovi96();
