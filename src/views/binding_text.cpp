#include "views/binding.h"

#include <algorithm>
#include <limits>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "views/binding_common.h"

// The binders of the text fields: a line, several lines, a list's filter.
namespace vexmoor {

using namespace binding_common;

namespace {

// Tells the user that a typed character has no place in the text.
void refuse(Dialogs& dialogs, const QString& refused, TextKind kind) {
    const char32_t code = refused.toUcs4().value(0);
    const std::string number =
        QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')).toStdString();
    const std::string why =
        kind == TextKind::Game
            ? "The game's files hold only the characters of the Western European code page "
              "(Windows-1252), so the text is left as it was."
            : "It stands for no character a file name can hold, so the text is left as it "
              "was.";
    dialogs.show(Message{"The character U+" + number + " cannot be used here. " + why, kApplicationTitle,
                         Icon::Exclamation, Buttons::Ok});
}

}  // namespace

void bind(Bindings& bindings, QLineEdit* edit, TextBox& model, Dialogs& dialogs, TextKind kind) {
    edit->setObjectName(q(model.name()));
    // A field holds the whole text, however long: the toolkit's own limit
    // (32,767 characters) would cut a text from a file at the first keystroke.
    edit->setMaxLength(std::numeric_limits<int>::max());
    const auto state = std::make_shared<Guard>();
    const auto sync = [edit, &model, state, kind] {
        Syncing syncing(*state);
        showCommon(edit, model);
        const QString text = toQString(model.text(), kind);
        if (edit->text() == text) return;
        const int cursor = edit->cursorPosition();
        edit->setText(text);
        edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    };
    follow(bindings, model, sync);
    // Every change the model did not make is the user's, whoever carried it
    // out: typing, pasting, undo, or assistive technology's "set text", which
    // arrives as setText() and never as an edit.
    bindings.keep(QObject::connect(
        edit, &QLineEdit::textChanged, edit,
        [edit, &model, &dialogs, state, sync, kind, alive = bindings.alive()](const QString& text) {
            if (state->syncing) return;
            const auto bytes = fromQString(text, kind);
            if (!bytes) {
                const QString refused = firstUnencodable(text, kind);
                const int cursor = edit->cursorPosition() - static_cast<int>(refused.size());
                {
                    Syncing syncing(*state);
                    edit->setText(toQString(model.text(), kind));
                }
                edit->setCursorPosition(std::max(0, cursor));
                refuse(dialogs, refused, kind);
                return;
            }
            model.setText(*bytes);
            if (*alive) sync();
        }));
}

namespace {

// A field of several lines takes a carriage return for a line break, so
// one shows as the code point system texts use for a byte they cannot show
// (U+DC00 + the byte): nobody types it, and it comes back as the same byte.
constexpr char16_t kShownCarriageReturn = 0xDC0D;

QString shownInPlainText(QString text) {
    text.replace(QLatin1Char('\r'), QChar(kShownCarriageReturn));
    return text;
}

// The field's text exactly as it holds it. toPlainText() turns a no-break
// blank (byte A0) into an ordinary one; the raw text keeps it, and only its
// paragraph separators stand for line ends.
QString rawPlainText(const QPlainTextEdit* edit) {
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar(kShownCarriageReturn), QLatin1Char('\r'));
    return text;
}

}  // namespace

void bind(Bindings& bindings, QPlainTextEdit* edit, TextBox& model, Dialogs& dialogs, TextKind kind) {
    edit->setObjectName(q(model.name()));
    const auto state = std::make_shared<Guard>();
    const auto sync = [edit, &model, state, kind] {
        Syncing syncing(*state);
        showCommon(edit, model);
        const QString text = toQString(model.text(), kind);
        if (rawPlainText(edit) == text) return;
        const int cursor = edit->textCursor().position();
        edit->setPlainText(shownInPlainText(text));
        QTextCursor moved = edit->textCursor();
        moved.setPosition(std::min(cursor, static_cast<int>(text.size())));
        edit->setTextCursor(moved);
    };
    follow(bindings, model, sync);
    bindings.keep(QObject::connect(
        edit, &QPlainTextEdit::textChanged, edit,
        [edit, &model, &dialogs, state, sync, kind, alive = bindings.alive()] {
            if (state->syncing) return;
            const QString text = rawPlainText(edit);
            const auto bytes = fromQString(text, kind);
            if (!bytes) {
                const QString refused = firstUnencodable(text, kind);
                const int cursor = edit->textCursor().position() - static_cast<int>(refused.size());
                {
                    Syncing syncing(*state);
                    edit->setPlainText(shownInPlainText(toQString(model.text(), kind)));
                }
                QTextCursor moved = edit->textCursor();
                moved.setPosition(std::clamp(cursor, 0, static_cast<int>(rawPlainText(edit).size())));
                edit->setTextCursor(moved);
                refuse(dialogs, refused, kind);
                return;
            }
            model.setText(*bytes);
            if (*alive) sync();
        }));
}

namespace {

// Escape in a filter field with a text empties it, and goes no further.
class EscapeEmpties : public QObject {
public:
    EscapeEmpties(QLineEdit* edit, FilterText& model) : QObject(edit), model_(model) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || model_.text().empty())
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        model_.setText({});
        Q_UNUSED(watched);
        return true;
    }

private:
    FilterText& model_;
};

}  // namespace

void bindFilter(Bindings& bindings, QLineEdit* edit, FilterText& model, Dialogs& dialogs,
                const QString& accessibleName) {
    bind(bindings, edit, model, dialogs);
    // The clear button shows only while the field holds text. Making it
    // loads the style's icons, a millisecond the start need not wait for,
    // so it is made with the first text.
    if (!edit->text().isEmpty())
        edit->setClearButtonEnabled(true);
    else
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { edit->setClearButtonEnabled(true); },
                         Qt::SingleShotConnection);
    edit->setPlaceholderText(accessibleName);
    edit->setAccessibleName(accessibleName);
    edit->installEventFilter(new EscapeEmpties(edit, model));
}

}  // namespace vexmoor
