// What the game's own files show in the windows: the Maps page's floor plan
// and preview line, the map titles of every map list, the map cycle
// editor's line and the skins' faces.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialog>
#include <QScreen>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/paths.h"
#include "roster/bot_config_form.h"
#include "support/game_file_writers.h"
#include "view_fixture.h"
#include "views/floor_plan_picture.h"

namespace vexmoor::testing {
namespace {

std::string titled(const std::string& title) {
    return MapBuilder().box({0, 0, -16}, {512, 256, 0}).worldKey("message", title).bytes();
}

QString nativeLine(const char* line) { return QString::fromStdString(nativeSeparators(line)); }

QString accessible(QWidget* widget, QAccessible::Text text) {
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

class MapPreviewView : public ViewTest {
protected:
    void SetUp() override {
        game.withFile("baseq2/pak0.pak", pakArchive({{"maps/q2dm1.bsp", titled("The Edge")},
                                                     {"maps/q2ctf1.bsp", titled("Twin\\nCairns")}}))
            .withMapCycle("q2dm1\r\nq2ctf1\r\n");
    }
    QLabel* line() const { return find<QLabel>("MapPreviewLabel"); }
};

TEST_F(MapPreviewView, TheMapsPageShowsThePlanOfTheChosenMapWhateverChoseIt) {
    game.withFile("baseq2/maps/alpha.bsp", std::string("IBSP&\0\0\0alpha", 13));
    open();
    // Nothing is read before the page is shown.
    EXPECT_EQ(line()->text(), "");
    showTab(2);
    auto* plan = find<QLabel>("MapPreview");
    auto* picture = find<QLabel>("Image2");
    QTRY_VERIFY(plan->isVisible());
    EXPECT_FALSE(picture->isVisible());
    EXPECT_EQ(line()->text(),
              nativeLine("q2dm1 \u00b7 The Edge \u00b7 no spawn points \u00b7 in baseq2\\pak0.pak"));
    EXPECT_EQ(accessible(plan, QAccessible::Name), "Map preview");
    EXPECT_EQ(accessible(plan, QAccessible::Description), line()->text());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(plan)->role(), QAccessible::Graphic);
    // Drawn at the screen's pixel density, larger than the picture it stands in for.
    EXPECT_EQ(plan->pixmap().devicePixelRatio(), plan->devicePixelRatioF());
    // It grows with the window, the map's aspect (2:1 and a margin) kept.
    const QSize before = plan->size();
    window->resize(window->size() + QSize(400, 300));
    QTRY_VERIFY(plan->size().width() > before.width() && plan->size().height() > before.height());
    QTRY_COMPARE(plan->pixmap().deviceIndependentSize().toSize(),
                 QSize(std::min(plan->width(), (plan->height() - 12) * 2 + 12),
                       std::min(plan->height(), (plan->width() - 12) / 2 + 12)));

    // A change of map type.
    clickMark(find<QRadioButton>("CTFMapOption"));
    EXPECT_EQ(line()->text(),
              nativeLine("q2ctf1 \u00b7 Twin Cairns \u00b7 no spawn points \u00b7 in baseq2\\pak0.pak"));
    QTRY_VERIFY(plan->isVisible());

    // A map without a file: the line says so and today's picture stays.
    clickMark(find<QRadioButton>("InternalMapOption"));
    clickRow(find<QListView>("MapList"), 2);
    EXPECT_EQ(line()->text(), "No map file for q2dm3 in eraser or baseq2.");
    QTRY_VERIFY(picture->isVisible());
    EXPECT_FALSE(plan->isVisible());

    // A file that is no map: told in the line alone.
    clickMark(find<QRadioButton>("ExternalMapOption"));
    EXPECT_EQ(line()->text(),
              nativeLine(
                  "alpha cannot be shown: baseq2\\maps\\alpha.bsp: the file is too short for a map header."));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MapPreviewView, MapEntriesCarryTheirTitlesAndKeepTheirTexts) {
    open();
    showTab(2);
    // Once the game's files are looked up, a map without one says so.
    QTRY_VERIFY(!find<QLabel>("MapListCountLabel")->text().isEmpty());
    for (const auto& [list, row, text, title] :
         {std::tuple{"MapList", 0, "q2dm1", "The Edge"},
          std::tuple{"MapList", 1, "q2dm2", "Not installed: no maps/q2dm2.bsp in eraser or baseq2."},
          std::tuple{"CTFList", 0, "q2ctf1", "Twin Cairns"}, std::tuple{"MapFile", 0, "alpha.bsp", ""}}) {
        SCOPED_TRACE(text);
        const QModelIndex entry = find<QListView>(list)->model()->index(row, 0);
        EXPECT_EQ(entry.data(Qt::DisplayRole).toString(), text);
        EXPECT_EQ(entry.data(Qt::ToolTipRole).toString(), title);
        EXPECT_EQ(entry.data(Qt::AccessibleDescriptionRole).toString(), title);
    }
}

// Three maps of the Internal list in an archive and one loose: those four
// are drawn as usual, the others in the disabled text colour, and the
// count above the list says so; the map cycle editor's lists likewise.
TEST_F(MapPreviewView, EveryMapListTellsWhatIsInstalled) {
    game.withFile("baseq2/pak0.pak", pakArchive({{"maps/q2dm1.bsp", titled("The Edge")},
                                                 {"maps/q2dm2.bsp", titled("Tokay")},
                                                 {"maps/base1.bsp", titled("Outer Base")}}))
        .withFile("eraser/maps/q2dm8.bsp", titled("Lost Hall"))
        .withMapCycle("q2dm1\r\nq2dm3\r\n");
    open();
    // Looked up once the page is shown.
    showTab(2);
    auto* list = find<QListView>("MapList");
    const int total = list->model()->rowCount();
    QTRY_COMPARE(find<QLabel>("MapListCountLabel")->text(), QStringLiteral("4 of %1 maps installed").arg(total));
    int grey = 0;
    for (int row = 0; row < total; ++row) {
        const QModelIndex entry = list->model()->index(row, 0);
        const bool missing = entry.data(Qt::ForegroundRole).isValid();
        grey += missing ? 1 : 0;
        if (missing) {
            EXPECT_TRUE(entry.data(Qt::ToolTipRole).toString().startsWith("Not installed: no maps/"));
        }
    }
    EXPECT_EQ(grey, total - 4);
    QTRY_COMPARE(find<QLabel>("CTFListCountLabel")->text(), QStringLiteral("0 of 5 maps installed"));

    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_TRUE(editor);
    QTRY_COMPARE(editor->findChild<QLabel*>("MapsSelectedCountLabel")->text(), QStringLiteral("1 of 2 maps installed"));
    const QModelIndex q2dm3 = editor->findChild<QListView*>("MapsSelectedList")->model()->index(1, 0);
    EXPECT_EQ(q2dm3.data(Qt::AccessibleDescriptionRole).toString(),
              "Not installed: no maps/q2dm3.bsp in eraser or baseq2.");
}

// Enter on the plan opens the Map window: the plan large, the title line
// and every fact read; Escape closes it. The editor's plan opens it too.
TEST_F(MapPreviewView, TheMapWindowOpensFromTheKeyboardWithEveryFactAndEscapeClosesIt) {
    game.withFile("eraser/maps/q2dm1.bsp", MapBuilder()
                                               .box({-256, 0, -16}, {1792, 1024, 480})
                                               .worldKey("message", "The Edge")
                                               .entity("info_player_deathmatch", {0, 0, 0})
                                               .entity("item_flag_team1", {8, 8, 0})
                                               .entity("item_flag_team2", {16, 8, 0})
                                               .bytes());
    open();
    showTab(2);
    auto* plan = find<QLabel>("MapPreview");
    QTRY_VERIFY(plan->isVisible());
    plan->setFocus();
    QTest::keyClick(plan, Qt::Key_Return);
    auto* map = window->findChild<QDialog*>("MapWindow");
    ASSERT_TRUE(map);
    QTRY_VERIFY(map->isVisible());
    EXPECT_EQ(map->windowTitle(), "Map");
    EXPECT_EQ(map->findChild<QLabel*>("MapTitleLabel")->text(), "q2dm1 \u00b7 The Edge");
    QStringList facts;
    for (const QLabel* label : map->findChildren<QLabel*>())
        if (!label->accessibleName().isEmpty() && label->objectName().isEmpty())
            facts << label->accessibleName() + ": " + label->text();
    EXPECT_EQ(facts, (QStringList{"Spawn points: 1", "Team flags: both",
                                  "Size: 2048 \u00d7 1024 units, 496 high",
                                  nativeLine("File: eraser\\maps\\q2dm1.bsp")}));
    // Large: most of the screen's width, the map's aspect kept.
    auto* large = map->findChild<QLabel*>("MapPlan");
    const QSize screen = map->screen()->availableGeometry().size();
    QTRY_VERIFY(!large->pixmap().isNull());
    EXPECT_GE(large->pixmap().deviceIndependentSize().width(), screen.width() * 4 / 5 - 1);
    QTest::keyClick(map, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window->findChild<QDialog*>("MapWindow"));

    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_TRUE(editor);
    clickRow(editor->findChild<QListView*>("MapsAvailableList"), 0);
    auto* editorPlan = editor->findChild<QLabel*>("MapPreview");
    QTRY_VERIFY(editorPlan->isVisible());
    QTest::keyClick(editorPlan, Qt::Key_Space);
    EXPECT_TRUE(editor->findChild<QDialog*>("MapWindow"));
}

TEST_F(MapPreviewView, TheMapCycleEditorTellsOfTheChosenMapAndItsEntriesCarryTitles) {
    QWidget* editor = openEditor(2, "EditMapCycleButton");
    ASSERT_TRUE(editor);
    auto* shown = editor->findChild<QLabel*>("MapPreviewLabel");
    ASSERT_TRUE(shown);
    // It opens on the cycle's first entry, its insertion point.
    EXPECT_EQ(shown->text(),
              nativeLine("q2dm1 \u00b7 The Edge \u00b7 no spawn points \u00b7 in baseq2\\pak0.pak"));
    const QModelIndex ctf = editor->findChild<QListView*>("MapsAvailableList")->model()->index(48, 0);
    EXPECT_EQ(ctf.data(Qt::ToolTipRole).toString(), "Twin Cairns");
    clickRow(editor->findChild<QListView*>("MapsSelectedList"), 1);
    EXPECT_EQ(shown->text(),
              nativeLine("q2ctf1 \u00b7 Twin Cairns \u00b7 no spawn points \u00b7 in baseq2\\pak0.pak"));
}

TEST(FloorPlanPicture, HigherFloorsAreLighterAndLiquidsHaveTheirOwnColour) {
    MapBuilder map;
    map.box({0, 0, -16}, {256, 256, 0})
        .box({512, 0, 112}, {768, 256, 128})
        .box({256, 0, -16}, {512, 256, 0}, "vex/water", kSurfaceWarp);
    const auto read = readMapBytes(map.bytes());
    ASSERT_TRUE(read);
    const QImage image = drawFloorPlan(read.value().plan, QSize(160, 80), 2);
    EXPECT_EQ(image.size(), QSize(320, 160));
    // North is up: the three floors lie side by side from west to east.
    const QColor lower = image.pixelColor(60, 80);
    const QColor water = image.pixelColor(160, 80);
    const QColor upper = image.pixelColor(260, 80);
    EXPECT_GT(upper.lightness(), lower.lightness());
    EXPECT_EQ(lower, floorColour(FloorPlan::Surface::Floor, 0));
    EXPECT_EQ(upper, floorColour(FloorPlan::Surface::Floor, 1));
    EXPECT_EQ(water, floorColour(FloorPlan::Surface::Water, 0));
}

using SkinFaceView = ViewTest;

TEST_F(SkinFaceView, TheBotEditorShowsEachSkinsFace) {
    std::array<std::uint8_t, 768> palette{};
    palette[3] = 0xc0;
    game.withRoster("[bots]\r\n\"Rook\"\"rook/slate\" 3  2  4  1  0  1  60 \r\n[teams]\r\n[view weapons]\r\n")
        .withModel("rook", {"slate.pcx", "moss.pcx"})
        .withFile("baseq2/players/rook/slate_i.pcx",
                  pcxPicture(32, 32, std::vector<std::uint8_t>(1024, 1), palette))
        .withFile("baseq2/players/rook/moss_i.pcx", "not a picture");
    QWidget* view = openEditor(1, "BotEditButton");
    ASSERT_TRUE(view);
    auto* preview = view->findChild<QLabel*>("SkinPreview");
    ASSERT_TRUE(preview);
    EXPECT_EQ(accessible(preview, QAccessible::Name), "Skin preview");
    // The bot's own face while browsing, twice the game's size.
    const QImage face = preview->pixmap().toImage();
    ASSERT_FALSE(face.isNull());
    EXPECT_EQ(face.size(), QSize(64, 64) * preview->devicePixelRatioF());
    EXPECT_EQ(face.pixelColor(10, 10), QColor(0xc0, 0, 0));

    QTest::mouseClick(view->findChild<QPushButton*>("EditBotButton"), Qt::LeftButton);
    auto* skins = view->findChild<QListView*>("SkinList");
    EXPECT_EQ(rowsOf(skins), (QStringList{"moss", "slate"}));
    const QModelIndex moss = skins->model()->index(0, 0);
    EXPECT_TRUE(moss.data(Qt::DecorationRole).isNull());
    const auto icon = skins->model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_FALSE(icon.isNull());
    EXPECT_TRUE(skins->model()->index(1, 0).data(Qt::ToolTipRole).isNull());
    // A face that cannot be read says why, in the list and in the preview.
    const QString why = nativeLine(
        "The face cannot be shown: baseq2\\players\\rook\\moss_i.pcx: the file is too short for a "
        "picture header.");
    EXPECT_EQ(moss.data(Qt::ToolTipRole).toString(), why);
    EXPECT_EQ(moss.data(Qt::AccessibleDescriptionRole).toString(), why);
    clickRow(skins, 0);
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_EQ(preview->toolTip(), why);
    EXPECT_EQ(accessible(preview, QAccessible::Description), why);
}

}  // namespace
}  // namespace vexmoor::testing
