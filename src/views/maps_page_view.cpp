#include "views/maps_page_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "views/layout.h"
#include "views/map_preview_view.h"
#include "views/pictures.h"

namespace vexmoor {

MapsPageView::MapsPageView(MapsPage& page, Dialogs& dialogs, Bindings& bindings, QWidget* parent)
    : QWidget(parent),
      page_(page),
      bindings_(bindings),
      dialogs_(dialogs),
      mapFrame_(new QGroupBox(this)),
      internalOption_(new QRadioButton(mapFrame_)),
      externalOption_(new QRadioButton(mapFrame_)),
      ctfOption_(new QRadioButton(mapFrame_)),
      mapList_(new QListView(mapFrame_)),
      mapFile_(new QListView(mapFrame_)),
      ctfList_(new QListView(mapFrame_)),
      mapFilter_(new QLineEdit(mapFrame_)),
      ctfFrame_(new QGroupBox(this)),
      noTech_(new QCheckBox(ctfFrame_)),
      armorProtect_(new QCheckBox(ctfFrame_)),
      forceJoin_(new QCheckBox(ctfFrame_)),
      picture_(new PaintedPicture(mapPictureSize(), paintMapPicture, this)),
      preview_(new MapPreviewPanel(page.preview, picture_, bindings, this)),
      editMapCycle_(new QPushButton(this)) {
    connectObservers();
    buildLayout();
}

void MapsPageView::buildLayout() {
    mapList_->setAccessibleName(QStringLiteral("Internal maps"));
    mapFile_->setAccessibleName(QStringLiteral("External maps"));
    ctfList_->setAccessibleName(QStringLiteral("CTF maps"));
    picture_->setAccessibleName(QStringLiteral("Map picture"));

    auto* map = new QGridLayout(mapFrame_);
    // One filter for the three lists, above them all.
    map->addWidget(mapFilter_, 0, 0, 1, 3);
    map->addWidget(internalOption_, 1, 0);
    map->addWidget(externalOption_, 1, 1);
    map->addWidget(ctfOption_, 1, 2);
    for (int column = 0; column < 3; ++column) map->addWidget(counts_[column], 2, column);
    map->addWidget(mapList_, 3, 0);
    map->addWidget(mapFile_, 3, 1);
    map->addWidget(ctfList_, 3, 2);
    map->setHorizontalSpacing(12);
    for (int column = 0; column < 3; ++column) map->setColumnStretch(column, 1);

    // The CTF options come and go with the map type; the page keeps their
    // place so nothing else moves.
    QSizePolicy keepPlace = ctfFrame_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ctfFrame_->setSizePolicy(keepPlace);
    auto* ctf = new QHBoxLayout(ctfFrame_);
    ctf->addWidget(noTech_);
    ctf->addWidget(armorProtect_);
    ctf->addWidget(forceJoin_);
    ctf->addStretch(1);

    auto* lower = new QGridLayout;
    lower->addWidget(ctfFrame_, 0, 0, Qt::AlignTop);
    lower->addWidget(editMapCycle_, 1, 0, Qt::AlignLeft | Qt::AlignBottom);
    // The floor plan shares the page's room with the lists as the window grows.
    lower->addWidget(preview_, 0, 1, 2, 1);
    lower->addWidget(preview_->line(), 2, 0, 1, 2);
    lower->setColumnStretch(0, 1);
    lower->setColumnStretch(1, 1);
    lower->setRowStretch(1, 1);
    lower->setHorizontalSpacing(18);

    auto* page = new QVBoxLayout(this);
    page->addWidget(mapFrame_, 3);
    page->addLayout(lower, 2);

    chainTabOrder({mapFilter_, internalOption_, mapList_, externalOption_, mapFile_, ctfOption_, ctfList_, noTech_,
                   armorProtect_, forceJoin_, editMapCycle_});
}

void MapsPageView::connectObservers() {
    bind(bindings_, mapFrame_, page_.MapFrame);
    bind(bindings_, internalOption_, page_.InternalMapOption);
    bind(bindings_, externalOption_, page_.ExternalMapOption);
    bind(bindings_, ctfOption_, page_.CTFMapOption);
    bindFilter(bindings_, mapFilter_, page_.MapFilter, dialogs_, QStringLiteral("Filter maps"));
    bind(bindings_, mapList_, page_.MapList, TextKind::Game, &page_.MapFilter);
    bind(bindings_, mapFile_, page_.MapFile, TextKind::Game, &page_.MapFilter);
    bind(bindings_, ctfList_, page_.CTFList, TextKind::Game, &page_.MapFilter);
    bind(bindings_, ctfFrame_, page_.CTFOptionsFrame);
    bind(bindings_, noTech_, page_.NoTechPowerupsCheckBox);
    bind(bindings_, armorProtect_, page_.ArmorProtectCheckBox);
    bind(bindings_, forceJoin_, page_.ForceJoinCheckBox);
    bind(bindings_, picture_, page_.Image2);
    Label* countModels[] = {&page_.MapListCountLabel, &page_.MapFileCountLabel, &page_.CTFListCountLabel};
    for (int column = 0; column < 3; ++column) {
        counts_[column] = new QLabel(mapFrame_);
        bind(bindings_, counts_[column], *countModels[column], TextKind::System);
    }
    describeMaps(mapList_, page_.mapFiles, {}, &page_.MapListCountLabel);
    describeMaps(mapFile_, page_.mapFiles, MapsPage::mapNameOfFile, &page_.MapFileCountLabel);
    describeMaps(ctfList_, page_.mapFiles, {}, &page_.CTFListCountLabel);
    bind(bindings_, editMapCycle_, page_.EditMapCycleButton);
}

void MapsPageView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    page_.startPreview();
}

}  // namespace vexmoor
