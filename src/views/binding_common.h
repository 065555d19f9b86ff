#pragma once

#include <memory>
#include <string>

#include <QString>
#include <QVariant>
#include <QWidget>

#include "core/controls.h"
#include "platform/codec.h"
#include "views/binding.h"

// What the binders of every control kind share (binding.cpp,
// binding_text.cpp, binding_list.cpp), and for them alone.
namespace vexmoor::binding_common {

inline QString q(const std::string& bytes) { return toQString(bytes); }

// Set while a widget is being brought in line with its model, so the
// widget's own change signals are not taken for the user's.
struct Guard {
    bool syncing = false;
};

class Syncing {
public:
    explicit Syncing(Guard& guard) : guard_(guard), previous_(guard.syncing) { guard_.syncing = true; }
    ~Syncing() { guard_.syncing = previous_; }

private:
    Guard& guard_;
    bool previous_;
};

// The key a widget's tooltip names besides what its model says.
inline constexpr const char* kShortcutProperty = "vexmoorShortcut";

inline QString toolTipOf(const QWidget* widget, const Control& model) {
    const QString text = q(model.toolTip());
    const QString key = widget->property(kShortcutProperty).toString();
    if (key.isEmpty()) return text;
    // A button without a tooltip of its own is named by its caption.
    QString what = text.isEmpty() ? q(model.caption()).remove(QLatin1Char('&')) : text.trimmed();
    return what + QStringLiteral(" (") + key + QLatin1Char(')');
}

inline void showCommon(QWidget* widget, const Control& model) {
    widget->setToolTip(toolTipOf(widget, model));
    widget->setEnabled(model.enabled());
    // Only touch visibility when it differs: showing a child explicitly
    // before its window is shown is harmless, but needless.
    if (widget->isHidden() == model.visible()) widget->setVisible(model.visible());
}

// Calls the sync now and after every change of the model.
template <class Sync>
void follow(Bindings& bindings, Control& model, Sync sync) {
    sync();
    bindings.keep(model.changed().connect(sync));
}

}  // namespace vexmoor::binding_common
