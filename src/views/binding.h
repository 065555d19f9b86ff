#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QMetaObject>
#include <QPixmap>

#include "core/controls.h"
#include "core/ports.h"
#include "core/signal.h"
#include "core/window_model.h"
#include "platform/codec.h"

class QAbstractSlider;
class QAction;
class QCheckBox;
class QComboBox;
class QKeySequence;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace vexmoor {

class TabStrip;

// The links between a window's widgets and its models, both ways. A window
// keeps one of these and lets it go (or calls release()) before its models
// do: after release() no widget event reaches a model and no model change
// reaches a widget.
class Bindings {
public:
    Bindings() = default;
    Bindings(const Bindings&) = delete;
    Bindings& operator=(const Bindings&) = delete;
    ~Bindings() { release(); }

    void keep(Connection connection) { modelLinks_.push_back(std::move(connection)); }
    void keep(QMetaObject::Connection connection) { widgetLinks_.push_back(connection); }
    void release();

    // Whether the links still hold; a widget handler that calls into a model
    // checks it before touching the model again, since the call may have
    // closed the window.
    std::shared_ptr<const bool> alive() const { return alive_; }

private:
    std::vector<Connection> modelLinks_;
    std::vector<QMetaObject::Connection> widgetLinks_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Each binder names the widget after its control, shows the control's
// caption, tooltip, enabled and visible state, follows every later change of
// the model, and passes the user's actions to the model. A model change made
// while the model handles a widget event never echoes back as a new event.

// A grayed state (2, only ever from a stored file) shows as partly checked.
void bind(Bindings& bindings, QCheckBox* box, CheckBox& model);
// A typed character the text's bytes cannot carry is refused with a message.
// A field that holds a path or the command line is a System text (codec.h).
void bind(Bindings& bindings, QLineEdit* edit, TextBox& model, Dialogs& dialogs,
          TextKind kind = TextKind::Game);
// The same for a text field of several lines.
void bind(Bindings& bindings, QPlainTextEdit* edit, TextBox& model, Dialogs& dialogs,
          TextKind kind = TextKind::Game);
// The list's entries through a model over the core list, not an item each:
// a single-choice list selects one row, a multiple-choice list toggles rows,
// a checked list shows a check box at each entry. With a filter the list
// shows only the entries it shows, and follows every change of its text.
void bind(Bindings& bindings, QListView* list, ListBox& model, TextKind kind = TextKind::Game,
          FilterText* filter = nullptr);
// A filter field over lists: a text field with a clear button, named for
// assistive technology; Escape empties it, and in an empty field is left to
// the window.
void bindFilter(Bindings& bindings, QLineEdit* edit, FilterText& model, Dialogs& dialogs,
                const QString& accessibleName);
void bind(Bindings& bindings, QComboBox* combo, ListBox& model, TextKind kind = TextKind::Game);
void bind(Bindings& bindings, QRadioButton* button, OptionButton& model);
void bind(Bindings& bindings, QAbstractSlider* slider, RangeControl& model);
// A QGroupBox also shows the frame's caption as its title.
void bind(Bindings& bindings, QWidget* frame, Frame& model);
void bind(Bindings& bindings, QLabel* label, Label& model, TextKind kind = TextKind::Game);
void bind(Bindings& bindings, QPushButton* button, Button& model);
void bind(Bindings& bindings, QAction* action, Button& model);
// The tab strip: the page widgets are the tab widget's pages, in tab order.
void bind(Bindings& bindings, QTabWidget* tabs, TabStrip& model);

// A key pressed while the widget has the keyboard does what the button does
// (Delete in a list deletes its chosen entry, with the button's question).
void bindKey(Bindings& bindings, QWidget* widget, const QKeySequence& key, Button& model);

// A key that clicks the button while it shows in its window (two buttons
// that take turns on one spot may share a key), named in its tooltip.
void bindShortcut(Bindings& bindings, QPushButton* button, const QKeySequence& key, Button& model);
// Names in the widget's tooltip a key that a menu entry answers.
void showShortcut(QWidget* widget, const QKeySequence& key);

// A tab page: its name and enabled state; which page shows is the tab strip's business.
void bindPage(Bindings& bindings, QWidget* page, Frame& model);
// A window: its title and enabled state.
void bindWindow(Bindings& bindings, QWidget* window, WindowModel& model);

// A field that a label names: the label becomes its buddy and its text the
// field's accessible name.
void nameByLabel(QLabel* label, QWidget* field);

}  // namespace vexmoor
