#include "config/configuration.h"

namespace zurcfg {

bool Configuration::IsDifferent(const Configuration& other) const {
    return Fields() != other.Fields();
}

}  // namespace zurcfg
