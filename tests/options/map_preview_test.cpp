// Finding a map's file as the game does, and the preview line that tells of it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/paths.h"
#include "launcher/editors.h"
#include "options/map_cycle_edit_form.h"
#include "options/map_preview.h"
#include "options/started_main.h"
#include "support/game_file_writers.h"

namespace vexmoor::testing {
namespace {

std::string titled(const std::string& title, int spawnPoints = 2) {
    MapBuilder map;
    map.box({0, 0, -16}, {256, 256, 0}).worldKey("message", title);
    for (int i = 0; i < spawnPoints; ++i) map.entity("info_player_deathmatch", {32, 32, 24});
    return map.bytes();
}

std::string archive(const std::string& map, const std::string& title) {
    return pakArchive({{"maps/readme.txt", "x"}, {"maps/" + map + ".bsp", titled(title)}});
}

// An archive whose entries for these names run past its end.
std::string withDamagedEntries(const std::string& map, const std::string& title,
                               const std::vector<std::string>& damaged) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& name : damaged) files.emplace_back(name, "x");
    files.emplace_back("maps/" + map + ".bsp", titled(title));
    std::string bytes = pakArchive(files);
    for (std::size_t i = 0; i < damaged.size(); ++i)
        bytes = patched(bytes, numberAt(bytes, 4) + i * 64 + 60, 1u << 20);
    return bytes;
}

// An archive of that many files, each a bare directory entry.
std::string crowded(std::uint32_t files) {
    return patched(pakArchive({}) + std::string(files * std::size_t{64}, '\0'), 8, files * 64);
}

struct Library {
    TempDir dir;
    GameDirectoryBuilder game{dir.path() / "game"};
    MapLibrary library;
    Library() {
        library.setGameDirectory([this] { return game.text(); });
    }
    std::string where(const std::string& map) {
        const auto found = library.locate(map);
        if (!found) return "error: " + found.error().describe();
        if (!found.value()) return "none";
        return found.value()->where() + " (" + library.summary(*found.value()).value().title + ")";
    }
};

TEST(MapLookup, FindsTheMapWhereTheGameWould) {
    const struct {
        const char* what;
        std::vector<std::pair<const char*, std::string>> files;
        const char* found;
    } cases[] = {
        {"a loose file", {{"baseq2/maps/q2dm1.bsp", titled("Loose")}}, "in baseq2\\maps (Loose)"},
        {"an archive before a loose file",
         {{"baseq2/maps/q2dm1.bsp", titled("Loose")}, {"baseq2/pak0.pak", archive("q2dm1", "Archived")}},
         "in baseq2\\pak0.pak (Archived)"},
        {"eraser before baseq2",
         {{"baseq2/pak0.pak", archive("q2dm1", "Base")}, {"eraser/maps/q2dm1.bsp", titled("Eraser")}},
         "in eraser\\maps (Eraser)"},
        {"pak9 before pak0, and no other name",
         {{"baseq2/pak0.pak", archive("q2dm1", "Zero")},
          {"baseq2/pak9.pak", archive("q2dm1", "Nine")},
          {"baseq2/pak10.pak", archive("q2dm1", "Ten")},
          {"baseq2/extra.pak", archive("q2dm1", "Extra")}},
         "in baseq2\\pak9.pak (Nine)"},
        {"names in any case",
         {{"baseq2/PAK2.PAK", archive("Q2DM1", "Shouted")}},
         "in baseq2\\PAK2.PAK (Shouted)"},
        {"a file name in another case", {{"baseq2/maps/Q2dm1.BSP", titled("Odd")}}, "in baseq2\\maps (Odd)"},
        {"an archive without the map", {{"baseq2/pak0.pak", archive("q2dm2", "Other")}}, "none"},
        {"a damaged archive first",
         {{"baseq2/pak1.pak", "PACK"}, {"baseq2/pak0.pak", archive("q2dm1", "Zero")}},
         "error: baseq2\\pak1.pak: the file is too short for an archive header"},
        // The game opens only the entry it needs, the first of its name.
        {"the map's own entry damaged, before a sound one",
         {{"baseq2/pak1.pak", withDamagedEntries("q2dm2", "Two", {"maps/q2dm1.bsp"})},
          {"baseq2/pak0.pak", archive("q2dm1", "Zero")}},
         "error: maps/q2dm1.bsp in baseq2\\pak1.pak: the entry runs past the end of the archive"},
        {"the first of two names in any case",
         {{"baseq2/pak0.pak",
           pakArchive({{"MAPS/Q2DM1.BSP", titled("First")}, {"maps/q2dm1.bsp", titled("Second")}})}},
         "in baseq2\\pak0.pak (First)"},
        // The game loads every archive at start, and stops at one of too many files.
        {"an archive the game stops at, after the map",
         {{"eraser/maps/q2dm1.bsp", titled("Eraser")}, {"baseq2/pak3.pak", crowded(5000)}},
         "error: baseq2\\pak3.pak holds 5,000 files; the game stops at start with more than 4,096"},
        {"the most files the game takes",
         {{"eraser/maps/q2dm1.bsp", titled("Eraser")}, {"baseq2/pak3.pak", crowded(4096)}},
         "in eraser\\maps (Eraser)"},
    };
    for (const auto& [what, files, found] : cases) {
        SCOPED_TRACE(what);
        Library l;
        for (const auto& [path, bytes] : files) l.game.withFile(path, bytes);
        EXPECT_EQ(l.where("q2dm1"), nativeSeparators(found));
    }
}

TEST(MapPreview, TheLineTellsWhatTheMapHoldsOrWhyNothingShows) {
    Library l;
    const std::string damaged = patched(titled("Broken"), lumpEntry(6) + 4, 0x100000);  // the face list
    // The world's faces past the end of their list: the title reads, the plan does not.
    std::string half = titled("Half Built");
    half = patched(half, numberAt(half, lumpEntry(13)) + 44, 1000);
    // A face's edges past their list: the game refuses it, which its plan finds.
    const std::string frayed = titled("Frayed");
    l.game
        .withFile("baseq2/pak0.pak",
                  pakArchive({{"maps/q2dm1.bsp", titled("The Edge", 14)}, {"maps/q2dm3.bsp", damaged}}))
        .withFile("baseq2/maps/solo.bsp", titled("", 1))
        .withFile("baseq2/maps/half.bsp", half)
        .withFile("baseq2/maps/bare.bsp", patched(titled("Bare"), lumpEntry(4) + 4, 0))  // no nodes
        .withFile("baseq2/maps/frayed.bsp", patched(frayed, numberAt(frayed, lumpEntry(6)) + 4, 100000));
    MapPreviewModel preview(l.library);
    const Label& line = preview.MapPreviewLabel;
    const struct {
        const char* map;
        std::string line;
        bool plan;
    } cases[] = {
        {"q2dm1", nativeSeparators("q2dm1 \xb7 The Edge \xb7 14 spawn points \xb7 in baseq2\\pak0.pak"),
         true},
        {"solo", nativeSeparators("solo \xb7 1 spawn point \xb7 in baseq2\\maps"), true},
        {"q2dm2", "No map file for q2dm2 in eraser or baseq2.", false},
        {"q2dm3",
         "q2dm3 cannot be shown: maps/q2dm3.bsp in " +
             nativeSeparators("baseq2\\pak0.pak: the face list runs past the end of the file."),
         false},
        {"", "", false},
        {"bare",
         nativeSeparators("bare is refused by the game: baseq2\\maps\\bare.bsp: the map has no nodes."),
         false},
        {"frayed", nativeSeparators("frayed \xb7 Frayed \xb7 2 spawn points \xb7 in baseq2\\maps"), true},
        {"half", nativeSeparators("half \xb7 Half Built \xb7 2 spawn points \xb7 in baseq2\\maps"), true},
    };
    for (const auto& [map, text, plan] : cases) {
        SCOPED_TRACE(map);
        preview.show(map);
        EXPECT_EQ(line.caption(), text);
        EXPECT_EQ(preview.planFile().has_value(), plan);
    }

    // A plan the view could not read is told, and stays told until the file changes.
    const auto plan = l.library.plan(*preview.planFile());
    ASSERT_FALSE(plan);
    preview.planFailed(*preview.planFile(), plan.error());
    const std::string failed = nativeSeparators(
        "half cannot be shown: baseq2\\maps\\half.bsp: the world's faces run past the end of the face list.");
    EXPECT_EQ(line.caption(), failed);
    EXPECT_FALSE(preview.planFile());
    preview.show("half");
    EXPECT_EQ(line.caption(), failed);
    l.game.withFile("baseq2/maps/half.bsp", titled("Finished After All"));
    preview.show("half");
    EXPECT_EQ(line.caption(),
              nativeSeparators("half \xb7 Finished After All \xb7 2 spawn points \xb7 in baseq2\\maps"));
    EXPECT_TRUE(l.library.plan(*preview.planFile()));

    preview.show("frayed");
    const MapLocation frayedFile = *preview.planFile();
    preview.planFailed(frayedFile, l.library.plan(frayedFile).error());
    const std::string refused = nativeSeparators(
        "frayed is refused by the game: baseq2\\maps\\frayed.bsp: face 0's edges run past the end of the "
        "face "
        "edge list.");
    EXPECT_EQ(line.caption(), refused);
    preview.show("frayed");
    EXPECT_EQ(line.caption(), refused);

    // Damaged entries of other files are noted, once for their archive.
    Library other;
    other.game.withFile("eraser/pak0.pak", withDamagedEntries("base1", "Outer Base", {"a.wav", "b.wav"}));
    MapPreviewModel otherPreview(other.library);
    otherPreview.show("base1");
    EXPECT_EQ(otherPreview.MapPreviewLabel.caption(),
              nativeSeparators("base1 \xb7 Outer Base \xb7 2 spawn points \xb7 in eraser\\pak0.pak \xb7 "
                               "eraser\\pak0.pak has damaged entries"));
}

TEST(MapPreview, TheMapsPageLooksAgainWhenTheFragmentOrTheGameDirectoryChanges) {
    StartedMain s;
    // Loose maps only: an archive would come first.
    std::filesystem::remove(s.game.root() / "baseq2" / "pak0.pak");
    s.game.withFile("baseq2/maps/q2dm2.bsp", titled("The Pit"));
    MapsPage& m = s.start().maps;
    const Label& line = m.preview.MapPreviewLabel;
    m.startPreview();
    // Whoever sets the fragment.
    m.MapFrame.setFragment(" +map q2dm2");
    EXPECT_EQ(line.caption(),
              nativeSeparators("q2dm2 \xb7 The Pit \xb7 2 spawn points \xb7 in baseq2\\maps"));
    s.main().preferences.ExePathText.setText(s.game.text() + "elsewhere" + kPathSeparator);
    EXPECT_EQ(line.caption(), "No map file for q2dm2 in eraser or baseq2.");
}

TEST(MapPreview, TheMapCycleEditorShowsTheEntryMarkedLast) {
    StartedMain s;
    s.game.withMapCycle("q2dm2\r\nq2dm1\r\n").withFile("baseq2/pak0.pak", archive("base1", "Outer Base"));
    VexmoorMain& main = s.start();
    registerEditors(main);
    main.maps.EditMapCycleButton.click();
    auto* editor = dynamic_cast<MapCycleEditForm*>(main.editor());
    ASSERT_TRUE(editor && editor->preview);
    const MapPreviewModel& preview = editor->preview->preview;
    ListBox& available = editor->MapsAvailableList;
    available.setSelected(1, true);  // q2dm2
    // Of several marks, the new one; letting one go chooses none.
    available.setSelected(8, true);  // base1
    EXPECT_EQ(preview.MapPreviewLabel.caption(),
              nativeSeparators("base1 \xb7 Outer Base \xb7 2 spawn points \xb7 in baseq2\\pak0.pak"));
    available.setSelected(1, false);
    EXPECT_EQ(preview.map(), "base1");
}

}  // namespace
}  // namespace vexmoor::testing
