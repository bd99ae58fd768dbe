#include "ui/dialogs/about_entry.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "ui/dialogs/about_dialog.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <QAbstractNativeEventFilter>

#include "resources/main_dialog_template.h"
#include "ui/common/local_text.h"
#endif

namespace zurcfg {

#ifdef Q_OS_WIN
// The system menu's About entry and its command.
class AboutEntry::SystemMenuEntry : public QAbstractNativeEventFilter {
public:
    SystemMenuEntry(HWND window, AboutEntry& entry) : window_(window), entry_(entry) {
        const QString text = FromLocal8Bit(kAboutMenuText);
        HMENU systemMenu = GetSystemMenu(window, FALSE);
        if (systemMenu != nullptr && !text.isEmpty()) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, kAboutCommand,
                        reinterpret_cast<LPCWSTR>(text.utf16()));
        }
        qApp->installNativeEventFilter(this);
    }
    ~SystemMenuEntry() override { qApp->removeNativeEventFilter(this); }

    // The platform keeps the low four bits of a system command for itself; every other command
    // goes on to the default handling.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override {
        const auto* msg = static_cast<const MSG*>(message);
        if (eventType != "windows_generic_MSG" || msg->hwnd != window_ ||
            msg->message != WM_SYSCOMMAND || (msg->wParam & 0xFFF0) != kAboutCommand) {
            return false;
        }
        entry_.OpenAboutBox();
        *result = 0;
        return true;
    }

private:
    static constexpr UINT_PTR kAboutCommand = 0x0010;

    HWND window_;
    AboutEntry& entry_;
};
#endif

AboutEntry::AboutEntry(QWidget* window) : QObject(window), window_(window) {
    window->setWindowFlag(Qt::WindowContextHelpButtonHint);
    qApp->installEventFilter(this);
#ifdef Q_OS_WIN
    // The window's flags are final now: changing them later would make a new system menu.
    systemMenuEntry_ =
        std::make_unique<SystemMenuEntry>(reinterpret_cast<HWND>(window->winId()), *this);
#endif
}

AboutEntry::~AboutEntry() = default;

// The platform asks the application for the help mode when the button is pressed; there are no
// help texts to show in it, so the About box opens instead.
bool AboutEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::EnterWhatsThisMode) {
        OpenAboutBox();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void AboutEntry::OpenAboutBox() {
    AboutDialog aboutBox(window_);
    aboutBox.exec();
}

}  // namespace zurcfg
