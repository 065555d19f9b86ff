#include "views/binding.h"

#include <algorithm>
#include <limits>

#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTextDocument>

#include "launcher/vexmoor_main.h"
#include "platform/codec.h"
#include "views/list_model.h"
#include "views/option_button_accessible.h"

namespace vexmoor {

void Bindings::release() {
    *alive_ = false;
    alive_ = std::make_shared<bool>(true);
    for (const auto& link : widgetLinks_) QObject::disconnect(link);
    widgetLinks_.clear();
    modelLinks_.clear();
}

namespace {

QString q(const std::string& bytes) { return toQString(bytes); }

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
constexpr const char* kShortcutProperty = "vexmoorShortcut";

QString toolTipOf(const QWidget* widget, const Control& model) {
    const QString text = q(model.toolTip());
    const QString key = widget->property(kShortcutProperty).toString();
    if (key.isEmpty()) return text;
    // A button without a tooltip of its own is named by its caption.
    QString what = text.isEmpty() ? q(model.caption()).remove(QLatin1Char('&')) : text.trimmed();
    return what + QStringLiteral(" (") + key + QLatin1Char(')');
}

void showCommon(QWidget* widget, const Control& model) {
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

}  // namespace

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

void bind(Bindings& bindings, QListView* view, ListBox& model, TextKind kind, FilterText* filter) {
    view->setObjectName(q(model.name()));
    view->setUniformItemSizes(true);
    auto* items = new ListBoxItemModel(model, view, kind, filter);
    QItemSelectionModel* const previous = view->selectionModel();
    view->setModel(items);
    delete previous;
    const ListBox::Mode mode = model.mode();
    view->setSelectionMode(mode == ListBox::Mode::Single     ? QAbstractItemView::SingleSelection
                           : mode == ListBox::Mode::Multiple ? QAbstractItemView::MultiSelection
                                                             : QAbstractItemView::NoSelection);
    struct State : Guard {
        std::uint64_t selection = ~std::uint64_t{0};
        int selected = -1;
    };
    const auto state = std::make_shared<State>();
    const auto sync = [view, items, &model, state, mode] {
        Syncing syncing(*state);
        showCommon(view, model);
        const bool rowsChanged = items->follow();
        if (!rowsChanged && model.selectionRevision() == state->selection) return;
        state->selection = model.selectionRevision();
        QItemSelectionModel* selection = view->selectionModel();
        if (mode == ListBox::Mode::Checked) {
            items->marksChanged();
        } else if (mode == ListBox::Mode::Single) {
            const int selected = model.selectedIndex();
            // A choice filtered out stays the list's; the rows show none.
            const int row = selected >= 0 ? items->rowOf(static_cast<std::size_t>(selected)) : -1;
            if (row >= 0) {
                const QModelIndex index = items->index(row);
                if (selection->currentIndex() != index || !selection->isSelected(index))
                    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
                if (selected != state->selected || rowsChanged) view->scrollTo(index);
            } else {
                selection->clearSelection();
            }
            state->selected = selected;
        } else {
            // The marks of the rows shown, as ranges of rows set in one go.
            QItemSelection marked;
            const int rows = items->rowCount();
            const auto marks = [&](int row) { return model.isSelected(items->entryOf(row)); };
            for (int row = 0; row < rows;) {
                if (!marks(row)) {
                    ++row;
                    continue;
                }
                const int first = row;
                while (row < rows && marks(row)) ++row;
                marked.select(items->index(first), items->index(row - 1));
            }
            selection->select(marked, QItemSelectionModel::ClearAndSelect);
        }
    };
    follow(bindings, model, sync);
    if (filter) bindings.keep(filter->changed().connect(sync));
    // The model may go before the view: from then on the view shows nothing of it.
    bindings.keep(Connection([items = QPointer<ListBoxItemModel>(items)] {
        if (items) items->detach();
    }));
    // Every change of the selection the model did not make is the user's:
    // a click, the keyboard, or assistive technology's "select".
    bindings.keep(QObject::connect(
        view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
        [view, items, &model, state, mode, sync, alive = bindings.alive()](const QItemSelection& selected,
                                                                           const QItemSelection& deselected) {
            if (state->syncing || mode == ListBox::Mode::Checked) return;
            if (mode == ListBox::Mode::Single) {
                const auto rows = view->selectionModel()->selectedRows();
                if (!rows.isEmpty())
                    model.setSelectedIndex(static_cast<int>(items->entryOf(rows.front().row())));
                else if (model.noneAllowed())
                    model.setSelectedIndex(-1);
                // Whatever the model kept is what the list shows: a choice it
                // would not give up (Ctrl+click on it) is shown chosen again.
                if (!*alive) return;
                state->selection = ~std::uint64_t{0};
            } else {
                // Read the whole change first: each model change redraws the list.
                std::vector<std::pair<std::size_t, bool>> marks;
                for (const auto& [ranges, mark] : {std::pair{&selected, true}, std::pair{&deselected, false}})
                    for (const QItemSelectionRange& range : *ranges)
                        for (int row = range.top(); row <= range.bottom(); ++row)
                            marks.emplace_back(items->entryOf(row), mark);
                for (const auto& [row, mark] : marks) {
                    if (!*alive) return;
                    model.setSelected(row, mark);
                }
            }
            if (*alive) sync();
        }));
}

void bind(Bindings& bindings, QComboBox* combo, ListBox& model, TextKind kind) {
    combo->setObjectName(q(model.name()));
    const auto state = std::make_shared<Guard>();
    const auto sync = [combo, &model, state, kind] {
        Syncing syncing(*state);
        showCommon(combo, model);
        QStringList items;
        for (const auto& item : model.items()) items << toQString(item, kind);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
        if (items != shown) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(model.selectedIndex());
    };
    follow(bindings, model, sync);
    // Any change of the choice the model did not make is the user's, also
    // one made through assistive technology rather than the popup.
    bindings.keep(QObject::connect(combo, &QComboBox::currentIndexChanged, combo,
                                   [&model, state, sync, alive = bindings.alive()](int index) {
                                       if (state->syncing) return;
                                       if (index >= 0) model.setSelectedIndex(index);
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
    edit->setClearButtonEnabled(true);
    edit->setPlaceholderText(accessibleName);
    edit->setAccessibleName(accessibleName);
    edit->installEventFilter(new EscapeEmpties(edit, model));
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
