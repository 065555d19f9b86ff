#include "views/bots_page_view.h"

#include <algorithm>

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "views/layout.h"

namespace vexmoor {

BotsPageView::BotsPageView(BotsPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent)
    : QWidget(parent),
      page_(page),
      bindings_(bindings),
      dialogs_(dialogs),
      spawnRandom_(new QRadioButton(this)),
      spawnSpecific_(new QRadioButton(this)),
      numberFrame_(new QGroupBox(this)),
      numberLabel_(new QLabel(numberFrame_)),
      numberScroll_(new QScrollBar(Qt::Horizontal, numberFrame_)),
      numberText_(new QLineEdit(numberFrame_)),
      skillFrame_(new QGroupBox(this)),
      skillSlider_(new QSlider(Qt::Horizontal, skillFrame_)),
      skillLabel_(new QLabel(skillFrame_)),
      autoSkill_(new QCheckBox(skillFrame_)),
      specificFrame_(new QGroupBox(this)),
      specificFilter_(new QLineEdit(specificFrame_)),
      specificList_(new QListView(specificFrame_)),
      specificCount_(new QLabel(specificFrame_)),
      editBots_(new QPushButton(this)),
      editChat_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void BotsPageView::buildLayout() {
    numberScroll_->setFocusPolicy(Qt::StrongFocus);
    numberText_->setFixedWidth(fieldWidth(numberText_, 4));
    nameByLabel(numberLabel_, numberText_);
    numberScroll_->setAccessibleName(QStringLiteral("Bot count"));

    skillSlider_->setTickPosition(QSlider::TicksBelow);
    skillSlider_->setTickInterval(1);
    skillSlider_->setPageStep(1);
    skillSlider_->setAccessibleName(QStringLiteral("Bot skill"));
    // Wide enough for the longest skill name, so the slider does not jump.
    int widest = 0;
    for (int position = 0; position <= 3; ++position)
        widest = std::max(
            widest, skillLabel_->fontMetrics().horizontalAdvance(toQString(BotsPage::skillName(position))));
    skillLabel_->setMinimumWidth(widest + 4);

    specificList_->setAccessibleName(QStringLiteral("Specific bots"));

    auto* number = new QVBoxLayout(numberFrame_);
    number->addWidget(numberLabel_);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(numberScroll_, 1);
    numberRow->addWidget(numberText_);
    number->addLayout(numberRow);

    auto* skill = new QGridLayout(skillFrame_);
    skill->addWidget(skillSlider_, 0, 0);
    skill->addWidget(skillLabel_, 0, 1);
    skill->addWidget(autoSkill_, 1, 0, 1, 2);
    skill->setColumnStretch(0, 1);

    auto* specific = new QVBoxLayout(specificFrame_);
    specific->addWidget(specificFilter_);
    specific->addWidget(specificList_);
    specific->addWidget(specificCount_);

    // Random bots and their skill on the left, with the editors at its foot;
    // the specific bots take the whole height on the right.
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editBots_);
    buttons->addWidget(editChat_);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(spawnRandom_);
    left->addWidget(numberFrame_);
    left->addSpacing(6);
    left->addWidget(skillFrame_);
    left->addStretch(1);
    left->addLayout(buttons);

    auto* right = new QVBoxLayout;
    right->addWidget(spawnSpecific_);
    right->addWidget(specificFrame_, 1);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addSpacing(12);
    page->addLayout(right, 1);

    chainTabOrder({spawnRandom_, numberScroll_, numberText_, skillSlider_, autoSkill_, spawnSpecific_,
                   specificFilter_, specificList_, editBots_, editChat_});
}

void BotsPageView::connectObservers() {
    bind(bindings_, spawnRandom_, page_.SpawnRandomBotsOption);
    bind(bindings_, spawnSpecific_, page_.SpawnSpecificBotsOption);
    bind(bindings_, numberFrame_, page_.BotNumberFrame);
    bind(bindings_, numberLabel_, page_.BotNumLabel);
    bind(bindings_, numberScroll_, page_.BotNumScroll);
    bind(bindings_, numberText_, page_.BotNumText, dialogs_);
    bind(bindings_, skillFrame_, page_.BotSkillFrame);
    bind(bindings_, skillSlider_, page_.BotSkillSlider);
    bind(bindings_, skillLabel_, page_.BotSkillLabel);
    bind(bindings_, autoSkill_, page_.BotAutoskillCheck);
    bind(bindings_, specificFrame_, page_.SpawnSpecificBotsFrame);
    bindFilter(bindings_, specificFilter_, page_.SpecificBotFilter, dialogs_, QStringLiteral("Filter bots"));
    bind(bindings_, specificList_, page_.SpecificBotList, TextKind::Game, &page_.SpecificBotFilter);
    bind(bindings_, specificCount_, page_.SpecificBotCountLabel);
    bind(bindings_, editBots_, page_.BotEditButton);
    bind(bindings_, editChat_, page_.EditChatButton);
}

}  // namespace vexmoor
