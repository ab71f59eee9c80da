// The rule that screens each key typed into the main window's fields, so
// that only what a number needs can be typed. The fields' KeyDown handlers
// each apply one of the two rules.
#pragma once

#include "framework/property_types.h"

enum class KeyRule {
    WholeNumber,  // digits, control characters and DEL: the four count fields
    Decimal,      // the same and the full stop: the percentage and result fields
};

// Whether to swallow `key`, the text of the key pressed: true after sounding
// the system alert when the rule rejects it, false to let the field have it.
// A key counts as a digit when it orders between "0" and "9" as a text.
// An empty key text has the code 0, a control character, and passes.
bool FilterKey(KeyRule rule, const fw::String& key);
