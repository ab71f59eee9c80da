#include "main_window/calculator_commands.h"

#include "framework/dialogs.h"

namespace {

// Field by field in the order the calculation reads them.
EntryTexts ReadTexts(EntryFields& fields) {
    EntryTexts texts;
    texts.tp = fields.Text(EntryField::tpFld);
    texts.fp = fields.Text(EntryField::fpFld);
    texts.fn = fields.Text(EntryField::fnFld);
    texts.tn = fields.Text(EntryField::tnFld);
    texts.pre = fields.Text(EntryField::preFld);
    texts.dt = fields.Text(EntryField::dtFld);
    texts.t = fields.Text(EntryField::tFld);
    return texts;
}

}  // namespace

void CalculateBtn_Action(EntryFields& fields) {
    const CalculationOutcome outcome = CalculationStep(ReadTexts(fields));
    if (outcome.showMessage) {
        fw::MsgBox(kEnterValuesMessage);
        fields.SetFocus(EntryField::tpFld);
        return;
    }
    for (EntryField field : outcome.fieldsToEmpty) fields.SetText(field, "");
    fields.SetText(EntryField::pppFld, outcome.resultText);
}

void ClearBtn_Action(EntryFields& fields) {
    for (EntryField field : {EntryField::tpFld, EntryField::fpFld, EntryField::fnFld,
                             EntryField::tnFld, EntryField::preFld, EntryField::dtFld,
                             EntryField::tFld, EntryField::pppFld}) {
        fields.SetText(field, "");
    }
    fields.SetFocus(EntryField::tpFld);
}
