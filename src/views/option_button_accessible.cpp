#include "views/option_button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRadioButton>

namespace vexmoor {

namespace {

const char* const kOptionButton = "vexmoorOptionButton";

class OptionButtonAccessible : public QAccessibleWidget {
public:
    explicit OptionButtonAccessible(QRadioButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        QString name = button()->accessibleName();
        if (name.isEmpty()) name = button()->text().remove(QLatin1Char('&'));
        return name;
    }

    QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled()) names << toggleAction();
        return names << QAccessibleWidget::actionNames();
    }

    // The click is what the binding hears, so the model decides the choice.
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction()) {
            if (button()->isEnabled()) button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QRadioButton* button() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* optionButtonInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("QRadioButton")) return nullptr;
    auto* button = qobject_cast<QRadioButton*>(object);
    if (!button || !button->property(kOptionButton).toBool()) return nullptr;
    return new OptionButtonAccessible(button);
}

}  // namespace

void markAsOptionButton(QRadioButton* button) {
    // Factories installed later are asked first, so this one comes before Qt's own.
    static const bool installed = [] {
        QAccessible::installFactory(optionButtonInterface);
        return true;
    }();
    static_cast<void>(installed);
    button->setProperty(kOptionButton, true);
}

}  // namespace vexmoor
