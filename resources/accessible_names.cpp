#include "resources/accessible_names.h"

#include <algorithm>
#include <string_view>

#include "config/ascii_text.h"

namespace zurcfg {

namespace {

constexpr int kNone = -1;
// A closed drop-down list is as high as an edit; its template height is that of its open list.
constexpr int kClosedListHeight = 12;

int Bottom(const ControlTemplate& control) {
    const int height = control.kind == ControlKind::DropDownList
                           ? std::min(control.height, kClosedListHeight)
                           : control.height;
    return control.y + height;
}

bool TakesFocus(const ControlTemplate& control) {
    return control.kind != ControlKind::Label && control.kind != ControlKind::GroupBox &&
           control.kind != ControlKind::Icon;
}

bool Inside(const ControlTemplate& control, const ControlTemplate& group) {
    return control.x >= group.x && control.x < group.x + group.width && control.y >= group.y &&
           control.y < group.y + group.height;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) {
        text.remove_suffix(1);
    }
    return text;
}

bool EndsWithWord(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           AsciiLower(text.substr(text.size() - word.size())) == AsciiLower(word);
}

}  // namespace

ControlNames::ControlNames(const DialogTemplate& dialog)
    : dialog_(dialog),
      groupOf_(dialog.controlCount, kNone),
      beginsRow_(dialog.controlCount, false) {
    // The smallest group box around each control's top left corner.
    for (int control = 0; control < dialog.controlCount; ++control) {
        for (int group = 0; group < dialog.controlCount; ++group) {
            const ControlTemplate& box = At(group);
            if (box.kind != ControlKind::GroupBox || group == control ||
                !Inside(At(control), box)) {
                continue;
            }
            const int found = groupOf_[control];
            if (found == kNone || box.width * box.height < At(found).width * At(found).height) {
                groupOf_[control] = group;
            }
        }
    }
    for (int label = 0; label < dialog.controlCount; ++label) {
        beginsRow_[label] = BeginsRow(label);
    }
}

bool ControlNames::OnRow(int label, int control) const {
    const int middle = At(label).y + At(label).height / 2;
    return middle >= At(control).y && middle < Bottom(At(control));
}

// A label that stands left of every focusable control of its row in its group.
bool ControlNames::BeginsRow(int label) const {
    const ControlTemplate& candidate = At(label);
    if (candidate.kind != ControlKind::Label || candidate.caption.empty()) {
        return false;
    }
    for (int other = 0; other < dialog_.controlCount; ++other) {
        if (TakesFocus(At(other)) && groupOf_[other] == groupOf_[label] && OnRow(label, other) &&
            At(other).x < candidate.x + candidate.width) {
            return false;
        }
    }
    return true;
}

std::string ControlNames::RowLabel(int index) const {
    const ControlTemplate& control = At(index);
    int beside = kNone;
    int above = kNone;
    for (int label = 0; label < dialog_.controlCount; ++label) {
        if (label == index || !beginsRow_[label] || groupOf_[label] != groupOf_[index]) {
            continue;
        }
        if (OnRow(label, index) && At(label).x + At(label).width <= control.x) {
            beside = label;
        } else if (At(label).y + At(label).height <= control.y &&
                   (above == kNone || At(label).y > At(above).y)) {
            above = label;
        }
    }
    const int row = beside != kNone ? beside : above;
    if (row != kNone) {
        return std::string(Trimmed(At(row).caption));
    }
    return groupOf_[index] != kNone ? std::string(Trimmed(At(groupOf_[index]).caption))
                                    : std::string();
}

int ControlNames::ListLabel(int index) const {
    const ControlTemplate& list = At(index);
    int nearest = kNone;
    for (int label = 0; label < dialog_.controlCount; ++label) {
        const ControlTemplate& candidate = At(label);
        if (candidate.kind == ControlKind::Label && !candidate.caption.empty() &&
            groupOf_[label] == groupOf_[index] && OnRow(label, index) &&
            candidate.x + candidate.width <= list.x &&
            (nearest == kNone || candidate.x > At(nearest).x)) {
            nearest = label;
        }
    }
    return nearest;
}

std::string ControlNames::AccessibleName(int index) const {
    const ControlTemplate& control = At(index);
    const bool captioned =
        control.kind == ControlKind::PushButton || control.kind == ControlKind::CheckBox;
    const bool uniqueCaption =
        std::count_if(dialog_.begin(), dialog_.end(), [&](const ControlTemplate& other) {
            return other.caption == control.caption;
        }) == 1;
    if (captioned && uniqueCaption) {
        return std::string(control.caption);
    }
    std::string name = RowLabel(index);
    // "ZUR variables bank:" already says what its list holds.
    if (!control.caption.empty() && !EndsWithWord(name, control.caption)) {
        name += name.empty() ? "" : " ";
        name += control.caption;
    }
    return name;
}

}  // namespace zurcfg
