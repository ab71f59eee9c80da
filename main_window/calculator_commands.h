// The main window's Calculate and Clear commands, written against its eight
// fields through a small interface so that they run without a window.
#pragma once

#include "framework/property_types.h"
#include "main_window/calculation.h"

// The eight fields as the commands see them.
class EntryFields {
public:
    virtual ~EntryFields() = default;
    virtual fw::String Text(EntryField field) = 0;
    virtual void SetText(EntryField field, const fw::String& text) = 0;
    virtual void SetFocus(EntryField field) = 0;
};

// Reads the seven entry fields and applies the calculation: either empties
// the unused set and writes the result, leaving the focus where it is, or
// shows the message and, once it is dismissed, puts the focus in the first
// count field without writing any field.
void CalculateBtn_Action(EntryFields& fields);

// Empties all eight fields, the result too, and puts the focus in the first
// count field.
void ClearBtn_Action(EntryFields& fields);
