#include "main_window/key_filters.h"

#include "framework/dialogs.h"
#include "framework/text.h"

namespace {

constexpr int kFirstPrintable = 32;
constexpr int kDelete = 127;
constexpr int kFullStop = 46;

bool IsAccepted(KeyRule rule, const fw::String& key) {
    const int code = fw::Asc(key);
    if (fw::StrComp(key, "0") >= 0 && fw::StrComp(key, "9") <= 0) return true;
    if (code < kFirstPrintable) return true;
    if (code == kDelete) return true;
    return rule == KeyRule::Decimal && code == kFullStop;
}

}  // namespace

bool FilterKey(KeyRule rule, const fw::String& key) {
    if (IsAccepted(rule, key)) return false;
    fw::Beep();
    return true;
}
