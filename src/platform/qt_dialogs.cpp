#include "platform/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <utility>
#include <vector>

#include "platform/codec.h"

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
        case Buttons::WriteDiscardCancel:
        case Buttons::WriteReturnCancel:
        case Buttons::WriteLaunchCancel:
            return Answer::Write;
        case Buttons::Ok:
            break;
    }
    return Answer::Ok;
}

// The sets whose buttons say what they do: the write, going on without it,
// and Cancel, which Escape and the frame's close button answer too.
struct OwnButton {
    Answer answer;
    const char* caption;
    QMessageBox::ButtonRole role;
};

std::vector<OwnButton> ownButtons(Buttons buttons) {
    const char* write = "&Write and Return";
    const char* without = "&Discard";
    switch (buttons) {
        case Buttons::WriteDiscardCancel:
            break;
        case Buttons::WriteReturnCancel:
            without = "Return &Without Writing";
            break;
        case Buttons::WriteLaunchCancel:
            write = "&Write and Launch";
            without = "Launch &Anyway";
            break;
        default:
            return {};
    }
    return {{Answer::Write, write, QMessageBox::AcceptRole},
            {Answer::WithoutWriting, without, QMessageBox::DestructiveRole},
            {Answer::Cancel, "Cancel", QMessageBox::RejectRole}};
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
        case Answer::Write:
        case Answer::WithoutWriting:
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
    const Answer defaultAnswer = message.defaultAnswer.value_or(firstAnswer(message.buttons));
    if (const std::vector<OwnButton> own = ownButtons(message.buttons); !own.empty()) {
        std::vector<std::pair<QAbstractButton*, Answer>> buttons;
        for (const OwnButton& b : own) {
            QPushButton* button = box.addButton(QString::fromLatin1(b.caption), b.role);
            button->setObjectName(QString::fromLatin1(b.caption).remove(QLatin1Char('&')));
            buttons.emplace_back(button, b.answer);
            if (b.answer == defaultAnswer) box.setDefaultButton(button);
            if (b.answer == Answer::Cancel) box.setEscapeButton(button);
        }
        box.exec();
        for (const auto& [button, answer] : buttons)
            if (box.clickedButton() == button) return answer;
        return Answer::Cancel;
    }
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
        default:
            break;
    }
    box.setDefaultButton(buttonOf(defaultAnswer));
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
        case Buttons::Ok:
            return Answer::Ok;
        default:
            return Answer::Cancel;
    }
}

}  // namespace vexmoor
