#pragma once
// The printer module's ticket layout as set on the printer screen: whether
// the widths are custom, the characters per line of the three fonts and the
// ESC/POS line spacing.

namespace korvel {

struct PrinterState {
    bool perFont = false; // custom widths; when off each job resets them to the command set's defaults
    int fontImp1 = 64;    // small font
    int fontImp2 = 48;    // normal font
    int fontImp3 = 25;    // large font
    int lineSp = 49;      // dots

    friend bool operator==(const PrinterState &, const PrinterState &) = default;
};

} // namespace korvel
