#pragma once

#include <string>
#include <vector>

#include "resources/dialog_template.h"

namespace zurcfg {

// Names that tell a screen reader what each control of a template is, taken from the template
// alone: no second list to keep in step with it.
//
// A control's row label is the label that begins the row the control sits on, within the same
// group box: the label whose middle lies within the row and which stands left of every control
// of that row that takes the focus ("CSEM" for the "Enable" and "ISR" boxes beside it). A control
// whose row has none takes the row label nearest above it in its group, else the group's caption.
//
// A push button or check box whose caption occurs once in the template is named by its caption.
// Every other control is named by its row label followed by its caption ("CSEM Enable", "MSG
// ISR"); a list, edit, arrow pair or grid, which shows no caption, carries in it what it holds
// ("Static timers bank", "Tasks count arrows").
//
// A drop-down list's label is the label nearest left of it on its row, in its group ("BANK:"
// beside the static timers' bank list): screen readers read it with the list, named as the list
// is, so that lists whose labels look alike are told apart.
class ControlNames {
public:
    explicit ControlNames(const DialogTemplate& dialog);

    // The name of the control at `index` in template order.
    std::string AccessibleName(int index) const;
    // The caption of the row label of the control at `index`, without its colon; empty when it
    // has none.
    std::string RowLabel(int index) const;
    // The index of the group box around the control at `index`; -1 for none.
    int GroupOf(int index) const { return groupOf_[index]; }
    // The index of the label of the drop-down list at `index`; -1 for none.
    int ListLabel(int index) const;

private:
    bool OnRow(int label, int control) const;
    bool BeginsRow(int label) const;
    const ControlTemplate& At(int index) const { return dialog_.controls[index]; }

    const DialogTemplate& dialog_;
    std::vector<int> groupOf_;  // the index of each control's group box, or -1
    std::vector<bool> beginsRow_;
};

}  // namespace zurcfg
