#include "config/text_field_checks.h"

#include <algorithm>

#include "config/c_names.h"

namespace zurcfg {

namespace {

bool HoldsControlBytes(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 32 && c != '\t'; });
}

constexpr char kControlBytes[] = "control bytes and line breaks cannot stand in a header line";

}  // namespace

std::string MessageTypeProblem(std::string_view type) {
    if (HoldsControlBytes(type)) {
        return kControlBytes;
    }
    if (type.find("/*") != std::string_view::npos || type.find("//") != std::string_view::npos) {
        return "/* or // in it would start a comment in the header";
    }
    if (EndsInLineSplice(type)) {
        return "a \\ (or ?\?/) at its end would join the next line of the header to it";
    }
    return {};
}

std::string ProjectNameProblem(std::string_view name) {
    return HoldsControlBytes(name) ? kControlBytes : std::string();
}

}  // namespace zurcfg
