#include "platform/qt_alert.h"

#include <QApplication>

namespace vexmoor {

void QtAlert::beep() { QApplication::beep(); }

}  // namespace vexmoor
