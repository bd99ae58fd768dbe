#include <cstring>

#include <QApplication>

#include <gtest/gtest.h>

namespace {

constexpr char kScaleOption[] = "--scale-factor=";

// Takes `--scale-factor=N` out of the arguments and draws everything N times larger, as
// QT_SCALE_FACTOR does. An option rather than the variable, because Wine does not hand
// variables named QT_* on to a Windows program.
void ApplyScaleFactorOption(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kScaleOption, sizeof kScaleOption - 1) == 0) {
            qputenv("QT_SCALE_FACTOR", argv[i] + sizeof kScaleOption - 1);
            for (int j = i; j < argc; ++j) {
                argv[j] = argv[j + 1];
            }
            --argc;
            return;
        }
    }
}

}  // namespace

// Window tests run real widgets on the offscreen platform, where no window ever appears, unless
// `-platform NAME` chooses another (Windows' own, which has the system's fonts).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ApplyScaleFactorOption(argc, argv);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
