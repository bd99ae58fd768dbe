#include "ui/window/option_step.h"

#include "ui/window/control_bindings.h"

namespace zurcfg {

namespace {

struct ChangedFields {
    int count = 0;
    OptionStep step;

    template <typename Bindings>
    void Note(const Bindings& bindings, const Configuration& before, const Configuration& after,
              bool typed) {
        for (const auto& binding : bindings) {
            if (before.*binding.field != after.*binding.field) {
                ++count;
                step = {std::string(binding.stepName) + " change",
                        typed ? binding.controlId : EditCommand::kNoTyping};
            }
        }
    }
};

}  // namespace

OptionStep StepFor(const Configuration& before, const Configuration& after) {
    ChangedFields changed;
    changed.Note(kCountControls, before, after, true);
    changed.Note(kSwitchControls, before, after, false);
    changed.Note(kListControls, before, after, false);
    changed.Note(kTextControls, before, after, true);
    return changed.count == 1 ? changed.step : OptionStep{"Options change"};
}

}  // namespace zurcfg
