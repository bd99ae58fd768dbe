#include "ui/widgets/native_window_watch.h"

#include <QCoreApplication>
#include <QWidget>

#ifdef ZURCFG_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace zurcfg {

NativeWindowWatch::NativeWindowWatch(QWidget* window) : QObject(window), window_(window) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

NativeWindowWatch::~NativeWindowWatch() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool NativeWindowWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef ZURCFG_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || !window_->testAttribute(Qt::WA_WState_Created)) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks an event another client sent.
    if ((event->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
        reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window == window_->winId()) {
        QMetaObject::invokeMethod(this, &NativeWindowWatch::Destroyed, Qt::QueuedConnection);
    }
#else
    static_cast<void>(eventType);
    static_cast<void>(message);
#endif
    return false;
}

}  // namespace zurcfg
