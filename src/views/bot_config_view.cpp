#include "views/bot_config_view.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "views/layout.h"
#include "views/skin_faces_view.h"

namespace vexmoor {

namespace {

// Rows a model or skin list shows without scrolling.
constexpr int kListRows = 6;

int listHeight(const QListView* list) {
    return list->fontMetrics().height() * kListRows + 2 * list->frameWidth() + 4;
}

}  // namespace

BotConfigView::BotConfigView(BotConfigForm& model, Dialogs& dialogs, QWidget* parent)
    : SideWindow(model, model.ExitButton, parent),
      form_(model),
      dialogs_(dialogs),
      nameHeading_(new QLabel(this)),
      nameFilter_(new QLineEdit(this)),
      names_(new QListView(this)),
      frame_(new QGroupBox(this)),
      modelHeading_(new QLabel(frame_)),
      models_(new QListView(frame_)),
      modelThing_(new QLabel(frame_)),
      skinHeading_(new QLabel(frame_)),
      skins_(new QListView(frame_)),
      skinThing_(new QLabel(frame_)),
      skinPreview_(new SkinPreview(frame_)),
      accuracy_(makeSliderRow(frame_)),
      aggressiveness_(makeSliderRow(frame_)),
      combat_(makeSliderRow(frame_)),
      weapon_(makeSliderRow(frame_)),
      pingHeading_(new QLabel(frame_)),
      ping_(new QLineEdit(frame_)),
      quadFreak_(new QCheckBox(frame_)),
      camper_(new QCheckBox(frame_)),
      warning_(new QLabel(this)),
      newBot_(new QPushButton(this)),
      editBot_(new QPushButton(this)),
      deleteBot_(new QPushButton(this)),
      commit_(new QPushButton(this)),
      back_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

BotConfigView::SliderRow BotConfigView::makeSliderRow(QWidget* parent) {
    return {new QLabel(parent), new QSlider(Qt::Horizontal, parent), new QLabel(parent)};
}

void BotConfigView::buildLayout() {
    names_->setAccessibleName(QStringLiteral("Bots"));
    nameHeading_->setBuddy(names_);
    names_->setMinimumWidth(fieldWidth(names_, 18));

    models_->setAccessibleName(QStringLiteral("Bot model"));
    skins_->setAccessibleName(QStringLiteral("Bot skin"));
    modelHeading_->setBuddy(models_);
    skinHeading_->setBuddy(skins_);

    const struct {
        SliderRow& row;
        const char* name;
    } sliders[] = {{accuracy_, "Firing accuracy"},
                   {aggressiveness_, "Aggressiveness"},
                   {combat_, "Combat skills"},
                   {weapon_, "Favorite weapon"}};
    // Wide enough for the longest weapon name, so the sliders do not move.
    int widest = 0;
    for (int position = 1; position <= 10; ++position)
        widest = std::max(widest, weapon_.value->fontMetrics().horizontalAdvance(
                                      toQString(BotConfigForm::weaponName(position))));
    for (const auto& [row, name] : sliders) {
        row.slider->setAccessibleName(QString::fromLatin1(name));
        row.slider->setTickPosition(QSlider::TicksBelow);
        row.slider->setTickInterval(1);
        row.slider->setMinimumWidth(fieldWidth(row.slider, 22));
        row.heading->setBuddy(row.slider);
        row.value->setMinimumWidth(widest + 8);
    }

    ping_->setAccessibleName(QStringLiteral("Average ping"));
    pingHeading_->setBuddy(ping_);
    ping_->setFixedWidth(fieldWidth(ping_, 8));

    showAsWarning(warning_);

    // Enter presses only the button that has the focus (keyPressEvent).
    for (QPushButton* button : {newBot_, editBot_, deleteBot_, commit_, back_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // The model and skin: a list while editing, the bot's own in a framed
    // box of the same size while browsing, so nothing moves between the two.
    const auto place = [this](QListView* list, QLabel* thing) {
        auto* box = new QWidget(frame_);
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(list);
        column->addWidget(thing);
        list->setFixedHeight(listHeight(list));
        list->setMinimumWidth(fieldWidth(list, 14));
        thing->setFixedHeight(listHeight(list));
        thing->setFrameShape(QFrame::StyledPanel);
        thing->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        thing->setMargin(3);
        return box;
    };
    auto* appearance = new QGridLayout;
    appearance->addWidget(modelHeading_, 0, 0);
    appearance->addWidget(skinHeading_, 0, 1);
    appearance->addWidget(place(models_, modelThing_), 1, 0);
    appearance->addWidget(place(skins_, skinThing_), 1, 1);
    appearance->addWidget(skinPreview_, 1, 2, Qt::AlignTop);
    appearance->setColumnStretch(0, 1);
    appearance->setColumnStretch(1, 1);

    auto* skills = new QGridLayout;
    int line = 0;
    for (const auto& [row, name] : sliders) {
        skills->addWidget(row.heading, line, 0);
        skills->addWidget(row.slider, line, 1);
        skills->addWidget(row.value, line, 2);
        ++line;
    }
    skills->addWidget(pingHeading_, line, 0);
    skills->addWidget(ping_, line, 1, Qt::AlignLeft);
    skills->setColumnStretch(1, 1);
    skills->setHorizontalSpacing(10);

    auto* flags = new QHBoxLayout;
    flags->addWidget(quadFreak_);
    flags->addSpacing(16);
    flags->addWidget(camper_);
    flags->addStretch(1);

    auto* fields = new QVBoxLayout(frame_);
    fields->addLayout(appearance);
    fields->addSpacing(8);
    fields->addLayout(skills);
    fields->addSpacing(4);
    fields->addLayout(flags);
    fields->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(nameHeading_);
    left->addWidget(nameFilter_);
    left->addWidget(names_, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(frame_);
    right->addWidget(warning_);
    right->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(6);
    top->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newBot_);
    buttons->addWidget(editBot_);
    buttons->addWidget(deleteBot_);
    buttons->addWidget(commit_);
    buttons->addStretch(1);
    buttons->addWidget(back_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    chainTabOrder({nameFilter_, names_, models_, skins_, accuracy_.slider, aggressiveness_.slider, combat_.slider,
                   weapon_.slider, ping_, quadFreak_, camper_, newBot_, editBot_, deleteBot_, commit_,
                   back_});
    names_->setFocus();
}

void BotConfigView::connectObservers() {
    bind(bindings_, nameHeading_, form_.BotNameLabel);
    bindFilter(bindings_, nameFilter_, form_.BotNameFilter, dialogs_, QStringLiteral("Filter bots"));
    bind(bindings_, names_, form_.BotNameList, TextKind::Game, &form_.BotNameFilter);
    bindKey(bindings_, names_, QKeySequence::Delete, form_.DeleteBotButton);
    // Enter or a double click on a bot edits it.
    bindKey(bindings_, names_, QKeySequence(Qt::Key_Return), form_.EditBotButton);
    bindKey(bindings_, names_, QKeySequence(Qt::Key_Enter), form_.EditBotButton);
    QObject::connect(names_, &QListView::doubleClicked, editBot_, [this] { editBot_->click(); });
    bind(bindings_, frame_, form_.BotInfoFrame);
    bind(bindings_, modelHeading_, form_.BotModelListLabel);
    bind(bindings_, models_, form_.ModelList);
    bind(bindings_, modelThing_, form_.BotModelThing);
    bind(bindings_, skinHeading_, form_.BotSkinListLabel);
    bind(bindings_, skins_, form_.SkinList);
    bind(bindings_, skinThing_, form_.BotSkinThing);
    showSkinFaces(skins_,
                  [this] { return std::pair(form_.gameDirectory(), form_.ModelList.selectedText()); });
    // The bot's own skin, shown while browsing and chosen while editing.
    const auto face = [this] {
        skinPreview_->showFace(form_.gameDirectory(), form_.BotModelThing.caption(),
                               form_.BotSkinThing.caption());
    };
    face();
    bindings_.keep(form_.BotModelThing.changed().connect(face));
    bindings_.keep(form_.BotSkinThing.changed().connect(face));
    const struct {
        SliderRow& row;
        Label& heading;
        RangeControl& slider;
        Label& value;
    } sliders[] = {
        {accuracy_, form_.FiringAccuracySliderLabel, form_.FiringAccuracySlider, form_.FiringAccuracyLabel},
        {aggressiveness_, form_.AgressivenessSliderLabel, form_.AgressivenessSlider,
         form_.AgressivenessLabel},
        {combat_, form_.CombatSkillsSliderLabel, form_.CombatSkillsSlider, form_.CombatSkillsLabel},
        {weapon_, form_.FavoriteWeaponLabel, form_.FavoriteWeaponSlider, form_.BotFavoriteWeapon},
    };
    for (const auto& [row, heading, slider, value] : sliders) {
        bind(bindings_, row.heading, heading);
        bind(bindings_, row.slider, slider);
        bind(bindings_, row.value, value);
        // Assistive technology reads the slider's value as its position; the
        // label beside it (a weapon's name, a stored value out of range) says more.
        QSlider* widget = row.slider;
        Label& shown = value;
        const auto describe = [widget, &shown] {
            widget->setAccessibleDescription(toQString(shown.caption()));
        };
        describe();
        bindings_.keep(shown.changed().connect(describe));
    }
    bind(bindings_, pingHeading_, form_.AveragePingLabel);
    bind(bindings_, ping_, form_.PingText, dialogs_);
    bind(bindings_, quadFreak_, form_.QuadFreakCheckBox);
    bind(bindings_, camper_, form_.CamperCheckBox);
    bind(bindings_, warning_, form_.BotWarningLabel);
    bind(bindings_, newBot_, form_.NewBotButton);
    bindShortcut(bindings_, newBot_, QKeySequence(Qt::CTRL | Qt::Key_N), form_.NewBotButton);
    bind(bindings_, editBot_, form_.EditBotButton);
    bind(bindings_, deleteBot_, form_.DeleteBotButton);
    bind(bindings_, commit_, form_.CommitChangesButton);
    bindShortcut(bindings_, commit_, QKeySequence(Qt::CTRL | Qt::Key_S), form_.CommitChangesButton);
    bind(bindings_, back_, form_.ExitButton);
}

void BotConfigView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget());
            button && event->modifiers() == Qt::NoModifier)
            button->click();
        else
            event->ignore();
        return;
    }
    SideWindow::keyPressEvent(event);
}

}  // namespace vexmoor
