#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWidget;

namespace zurcfg {

// Tells when another program destroys a window's native window. Any X11 client may destroy any
// window (xdotool windowclose does); Qt keeps the widget as shown all the same, so nothing of it
// is on the screen any more while the program waits for it. Reported once the event is handled,
// on X11 only.
class NativeWindowWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    // Watches `window`, which owns the object.
    explicit NativeWindowWatch(QWidget* window);
    ~NativeWindowWatch() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Destroyed();

private:
    QWidget* window_;
};

}  // namespace zurcfg
