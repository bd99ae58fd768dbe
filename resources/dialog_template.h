#pragma once

#include <cstdint>
#include <string_view>

namespace zurcfg {

// What a control of a dialog template is; the window makes one widget kind per entry.
enum class ControlKind {
    PushButton,
    Edit,
    DropDownList,
    CheckBox,
    UpDown,  // a pair of arrows stepping a count; not tied to an edit
    Grid,    // a name table
    Label,
    GroupBox,
    Icon,  // a picture; its caption names the icon (see kProgramIcon)
};

// Style flags of a control, combined with |.
enum ControlStyle : uint32_t {
    kNoStyle = 0,
    kDigitsOnly = 1u << 0,      // an edit that takes only digits from the keyboard
    kCentred = 1u << 1,         // a label with its text centred
    kBordered = 1u << 2,        // a label with a sunken border
    kDefaultButton = 1u << 3,   // the push button that Enter presses
    kLabelFont = 1u << 4,       // drawn in the bold heading font instead of the dialog font
    kFixedFont = 1u << 5,       // drawn in the fixed-pitch font instead of the dialog font
    kWordWrap = 1u << 6,        // a label whose text wraps into the lines of its height
    kVerticalScroll = 1u << 7,  // a list that scrolls when its items fill the open list's height
};

// Controls without an id of their own (plain labels) carry this one.
inline constexpr int kNoId = -1;

// The button of the OK command, in every dialog that has one.
inline constexpr int kOkButton = 1;

// The icons an Icon control can show, named as its caption by their icon resource numbers.
inline constexpr std::string_view kProgramIcon = "128";
inline constexpr std::string_view kInformationIcon = "136";  // the platform's information sign

// One control as the template places it. Coordinates are dialog units: 4 per average character
// width across, 8 per font height down. A control of no size (an icon) takes its natural size.
// The caption is the text a button, check box, label or group box shows; an edit, list, arrow
// pair or grid shows none, and its caption says what it holds ("count", "bank", "table") for the
// name screen readers give it (resources/accessible_names.h).
struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string_view caption;
    int x;
    int y;
    int width;
    int height;
    uint32_t style = kNoStyle;
};

// A dialog: caption, client size in dialog units, and its controls in tab order.
struct DialogTemplate {
    std::string_view caption;
    int width;
    int height;
    const ControlTemplate* controls;
    int controlCount;

    const ControlTemplate* begin() const { return controls; }
    const ControlTemplate* end() const { return controls + controlCount; }
};

}  // namespace zurcfg
