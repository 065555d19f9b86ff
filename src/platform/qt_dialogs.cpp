#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "views/codec.h"

namespace vexmoor {

namespace {

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The texts come with CR LF line breaks, as the game's files have them.
QString shown(const std::string& bytes) {
    return toQString(bytes, TextKind::Message).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Without a default of its own a box defaults to its first button.
Answer firstAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::YesNo:
            return Answer::Yes;
        case Buttons::RetryCancel:
            return Answer::Retry;
        case Buttons::Ok:
            break;
    }
    return Answer::Ok;
}

QMessageBox::StandardButton buttonOf(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
        case Answer::Retry:
            return QMessageBox::Retry;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

}  // namespace

Answer QtDialogs::show(const Message& message) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    QMessageBox box(iconOf(message.icon), shown(message.title), shown(message.text), QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    switch (message.buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::RetryCancel:
            box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
            break;
    }
    box.setDefaultButton(buttonOf(message.defaultAnswer.value_or(firstAnswer(message.buttons))));
    const int pressed = box.exec();
    switch (pressed) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Retry:
            return Answer::Retry;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    // Closed through its frame: the box's way out.
    switch (message.buttons) {
        case Buttons::YesNo:
            return pressed == QMessageBox::Ok ? Answer::Ok : Answer::No;
        case Buttons::RetryCancel:
            return Answer::Cancel;
        case Buttons::Ok:
            break;
    }
    return Answer::Ok;
}

}  // namespace vexmoor
