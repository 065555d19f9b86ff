#include "views/binding.h"

#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>

#include "launcher/vexmoor_main.h"
#include "views/binding_common.h"
#include "views/option_button_accessible.h"

namespace vexmoor {

using namespace binding_common;

void Bindings::release() {
    *alive_ = false;
    alive_ = std::make_shared<bool>(true);
    for (const auto& link : widgetLinks_) QObject::disconnect(link);
    widgetLinks_.clear();
    modelLinks_.clear();
}

void bind(Bindings& bindings, QCheckBox* box, CheckBox& model) {
    box->setObjectName(q(model.name()));
    const auto state = std::make_shared<Guard>();
    const auto sync = [box, &model, state] {
        Syncing syncing(*state);
        showCommon(box, model);
        box->setText(q(model.caption()));
        const int value = model.state();
        box->setTristate(value != 0 && value != 1);
        box->setCheckState(value == 1 ? Qt::Checked : value == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
    };
    follow(bindings, model, sync);
    // Any change of the box that the model did not make is the user's: a
    // click, Space, or assistive technology's toggle action, which changes
    // the box without a click. The model decides what the state really
    // becomes, so the box is set from it afterwards.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    const auto changed = &QCheckBox::checkStateChanged;
#else
    const auto changed = &QCheckBox::stateChanged;
#endif
    bindings.keep(QObject::connect(box, changed, box, [&model, state, sync, alive = bindings.alive()] {
        if (state->syncing) return;
        model.click();
        if (*alive) sync();
    }));
}

void bind(Bindings& bindings, QRadioButton* button, OptionButton& model) {
    button->setObjectName(q(model.name()));
    // The group's model keeps the buttons exclusive; left to themselves the
    // buttons would refuse to show a choice the model takes back. Assistive
    // technology still has to see a radio button, not a check box.
    button->setAutoExclusive(false);
    markAsOptionButton(button);
    const auto state = std::make_shared<Guard>();
    const auto sync = [button, &model, state] {
        Syncing syncing(*state);
        showCommon(button, model);
        button->setText(q(model.caption()));
        button->setChecked(model.chosen());
    };
    follow(bindings, model, sync);
    // A click, Space, or assistive technology's toggle, which may set the
    // button without a click. Only choosing counts: a chosen button cannot
    // be unchosen by itself, so the button shows the model's choice again.
    bindings.keep(QObject::connect(button, &QAbstractButton::toggled, button,
                                   [&model, state, sync, alive = bindings.alive()](bool checked) {
                                       if (state->syncing) return;
                                       if (checked) model.choose();
                                       if (*alive) sync();
                                   }));
}

void bind(Bindings& bindings, QAbstractSlider* slider, RangeControl& model) {
    slider->setObjectName(q(model.name()));
    slider->setRange(model.minimum(), model.maximum());
    // Every range shown is a handful of steps: a click in the trough moves one, as an arrow does.
    slider->setSingleStep(1);
    slider->setPageStep(1);
    const auto state = std::make_shared<Guard>();
    const auto sync = [slider, &model, state] {
        Syncing syncing(*state);
        showCommon(slider, model);
        slider->setValue(model.value());
    };
    follow(bindings, model, sync);
    // Tracking is on: a drag reports every position, as a moving slider should.
    bindings.keep(QObject::connect(slider, &QAbstractSlider::valueChanged, slider,
                                   [&model, state, sync, alive = bindings.alive()](int value) {
                                       if (state->syncing) return;
                                       model.setValue(value);
                                       if (*alive) sync();
                                   }));
    // Taking hold of the handle, or Home or End where the slider already
    // stands, moves nothing but is still the user's choice of that position.
    bindings.keep(QObject::connect(slider, &QAbstractSlider::sliderPressed, slider, [&model] { model.press(); }));
    bindings.keep(QObject::connect(slider, &QAbstractSlider::actionTriggered, slider, [slider, &model](int action) {
        const bool toEnd =
            action == QAbstractSlider::SliderToMinimum || action == QAbstractSlider::SliderToMaximum;
        if (toEnd && slider->sliderPosition() == model.value()) model.press();
    }));
}

void bind(Bindings& bindings, QWidget* frame, Frame& model) {
    frame->setObjectName(q(model.name()));
    follow(bindings, model, [frame, &model] {
        showCommon(frame, model);
        if (auto* box = qobject_cast<QGroupBox*>(frame)) box->setTitle(q(model.caption()));
    });
}

void bind(Bindings& bindings, QLabel* label, Label& model, TextKind kind) {
    label->setObjectName(q(model.name()));
    label->setTextFormat(Qt::PlainText);
    follow(bindings, model, [label, &model, kind] {
        showCommon(label, model);
        label->setText(toQString(model.caption(), kind));
    });
}

void bind(Bindings& bindings, QPushButton* button, Button& model) {
    button->setObjectName(q(model.name()));
    follow(bindings, model, [button, &model] {
        showCommon(button, model);
        button->setText(q(model.caption()));
    });
    // The click may close the window; nothing is touched after it.
    bindings.keep(QObject::connect(button, &QAbstractButton::clicked, button, [&model] { model.click(); }));
}

void bind(Bindings& bindings, QAction* action, Button& model) {
    action->setObjectName(q(model.name()));
    follow(bindings, model, [action, &model] {
        action->setText(q(model.caption()));
        action->setToolTip(q(model.toolTip()));
        action->setEnabled(model.enabled());
        action->setVisible(model.visible());
    });
    bindings.keep(QObject::connect(action, &QAction::triggered, action, [&model] { model.click(); }));
}

void bind(Bindings& bindings, QTabWidget* tabs, TabStrip& model) {
    tabs->setObjectName(q(model.name()));
    const auto& captions = TabStrip::tabs();
    for (int i = 0; i < tabs->count() && i < static_cast<int>(captions.size()); ++i)
        tabs->setTabText(i, q(captions[static_cast<std::size_t>(i)]));
    const auto state = std::make_shared<Guard>();
    follow(bindings, model, [tabs, &model, state] {
        Syncing syncing(*state);
        showCommon(tabs, model);
        tabs->setCurrentIndex(model.value() - 1);
    });
    bindings.keep(QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs, &model, state](int index) {
        if (state->syncing) return;
        model.setValue(index + 1);
        // Should the model keep its page, the strip shows that one.
        if (tabs->currentIndex() != model.value() - 1) tabs->setCurrentIndex(model.value() - 1);
    }));
}

void showShortcut(QWidget* widget, const QKeySequence& key) {
    widget->setProperty(kShortcutProperty, key.toString(QKeySequence::NativeText));
}

void bindShortcut(Bindings& bindings, QPushButton* button, const QKeySequence& key, Button& model) {
    showShortcut(button, key);
    button->setToolTip(toolTipOf(button, model));
    // Parented to the button, the key answers only while the button shows
    // and is enabled, so the button that is not shown leaves it to the other.
    auto* shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    bindings.keep(QObject::connect(shortcut, &QShortcut::activated, button, [&model] { model.click(); }));
}

void bindKey(Bindings& bindings, QWidget* widget, const QKeySequence& key, Button& model) {
    auto* shortcut = new QShortcut(key, widget);
    shortcut->setContext(Qt::WidgetShortcut);
    // The key may close the window, as the button's click may; nothing is touched after it.
    bindings.keep(QObject::connect(shortcut, &QShortcut::activated, widget, [&model] { model.click(); }));
}

void bindPage(Bindings& bindings, QWidget* page, Frame& model) {
    page->setObjectName(q(model.name()));
    follow(bindings, model, [page, &model] {
        page->setToolTip(q(model.toolTip()));
        page->setEnabled(model.enabled());
    });
}

void bindWindow(Bindings& bindings, QWidget* window, WindowModel& model) {
    window->setObjectName(q(model.name()));
    const auto sync = [window, &model] {
        window->setWindowTitle(q(model.caption()));
        window->setEnabled(model.enabled());
    };
    sync();
    bindings.keep(model.changed().connect(sync));
}

void nameByLabel(QLabel* label, QWidget* field) {
    label->setBuddy(field);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name);
}

}  // namespace vexmoor
