// One image operation, declared once: the batch tool's word and usage, how an argument becomes
// its typed parameters, its steps on the document, and the menu items the program offers it by.
// The batch tool's table, the menus, the dialogs and the tests all read these entries.
#pragma once

#include "document/operation_status.h"

#include <span>
#include <string_view>

namespace tavlo {

// A menu item: its object name (help contexts and tests find it by that) and its caption.
struct MenuItemText {
    const char* objectName;
    std::string_view caption;
};

// What a menu item does: run the operation at once, or open its dialog first.
enum class OfferedBy { MenuItem, Dialog };

// A menu item of an operation and the parameters it starts with (a filter preset, a turn).
template <class Parameters> struct MenuOffer {
    MenuItemText item;
    Parameters preset;
};

// For operations that take no parameters.
struct NoParameters {};

template <class Parameters> struct OperationEntry {
    std::string_view name;  // the batch tool's word: "gamma"
    std::string_view usage; // "gamma:N"
    // The batch tool's argument (the text after the colon, empty when there is none) as
    // parameters; throws OperationArgumentError naming the faulty word.
    Parameters (*parse)(std::string_view argument);
    OperationStatus (*steps)(Document& document, const Parameters& parameters);
    OfferedBy offeredBy;
    std::span<const MenuOffer<Parameters>> menuItems;
};

} // namespace tavlo
