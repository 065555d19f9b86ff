#include "views/versions_view.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "views/layout.h"

namespace vexmoor {

namespace {

// Light backgrounds with dark text of their own, so the lines read alike on
// a light or a dark window.
struct LineColours {
    QColor background;
    QColor text;
    bool bold;
};

LineColours coloursOf(ShownLine::Kind kind) {
    switch (kind) {
        case ShownLine::Kind::Removed:
            return {QColor(0xfd, 0xe2, 0xe2), QColor(0x8b, 0x1a, 0x1a), false};
        case ShownLine::Kind::Added:
            return {QColor(0xdf, 0xf3, 0xdf), QColor(0x1b, 0x5e, 0x20), false};
        case ShownLine::Kind::Header:
            return {QColor(0xe6, 0xe9, 0xf0), QColor(0x2f, 0x3b, 0x52), true};
        case ShownLine::Kind::Context:
            break;
    }
    return {QColor(), QColor(), false};
}

}  // namespace

VersionsView::VersionsView(VersionsForm& model, QWidget* parent)
    : SideWindow(model, model.VersionsExitButton, parent),
      form_(model),
      filesLabel_(new QLabel(QStringLiteral("&Files"), this)),
      files_(new QListView(this)),
      versionsLabel_(new QLabel(QStringLiteral("&Versions"), this)),
      versions_(new QListView(this)),
      differencesLabel_(new QLabel(QStringLiteral("&Differences"), this)),
      differences_(new QPlainTextEdit(this)),
      restore_(new QPushButton(this)),
      exit_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void VersionsView::buildLayout() {
    filesLabel_->setObjectName(QStringLiteral("VersionFileLabel"));
    versionsLabel_->setObjectName(QStringLiteral("VersionListLabel"));
    differencesLabel_->setObjectName(QStringLiteral("VersionDiffLabel"));
    nameByLabel(filesLabel_, files_);
    nameByLabel(versionsLabel_, versions_);
    nameByLabel(differencesLabel_, differences_);

    // The lists stay a few lines tall; the differences take the room the window gets.
    const int line = files_->fontMetrics().height();
    files_->setMinimumSize(fieldWidth(files_, 30), line * 6);
    versions_->setMinimumSize(fieldWidth(versions_, 60), line * 6);
    for (QListView* list : {files_, versions_}) list->setMaximumHeight(line * 9);
    differences_->setReadOnly(true);
    differences_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    differences_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Nothing is typed here: Tab goes on to the buttons.
    differences_->setTabChangesFocus(true);
    differences_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    differences_->setMinimumSize(fieldWidth(differences_, 90), line * 24);

    // Enter restores the chosen version, except on a button, which takes Enter for itself.
    restore_->setDefault(true);
    restore_->setAutoDefault(true);
    exit_->setAutoDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(filesLabel_, 0, 0);
    grid->addWidget(versionsLabel_, 0, 1);
    grid->addWidget(files_, 1, 0);
    grid->addWidget(versions_, 1, 1);
    grid->addWidget(differencesLabel_, 2, 0, 1, 2);
    grid->addWidget(differences_, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restore_);
    buttons->addWidget(exit_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    chainTabOrder({files_, versions_, differences_, restore_, exit_});
    files_->setFocus();
}

void VersionsView::connectObservers() {
    // The settings' summary is the game directory, a path in the system's own characters.
    bind(bindings_, files_, form_.VersionFileList, TextKind::Message);
    bind(bindings_, versions_, form_.VersionList, TextKind::Message);
    differences_->setObjectName(QString::fromStdString(form_.VersionDiffText.name()));
    showDifferences();
    bindings_.keep(form_.VersionDiffText.changed().connect([this] { showDifferences(); }));
    bind(bindings_, restore_, form_.RestoreButton);
    bind(bindings_, exit_, form_.VersionsExitButton);
}

// The file's lines in the game's code page (the settings file mixes it with
// the system's path), each on the colours of what it is; the notes and
// headers around them are ours, and name paths as the system writes them.
void VersionsView::showDifferences() {
    const TextKind fileKind = form_.chosenFile() == KeptFile::Settings ? TextKind::Message : TextKind::Game;
    QTextDocument* document = differences_->document();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    bool first = true;
    for (const ShownLine& line : form_.differences()) {
        const LineColours colours = coloursOf(line.kind);
        QTextBlockFormat block;
        QTextCharFormat characters;
        if (colours.background.isValid()) {
            block.setBackground(colours.background);
            characters.setForeground(colours.text);
        }
        if (colours.bold) characters.setFontWeight(QFont::Bold);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        const TextKind kind = line.kind == ShownLine::Kind::Header ? TextKind::Message : fileKind;
        cursor.insertText(toQString(line.text, kind), characters);
        first = false;
    }
    cursor.endEditBlock();
    differences_->moveCursor(QTextCursor::Start);
}

}  // namespace vexmoor
