#include "options/maps_page.h"

#include <string_view>

namespace vexmoor {

const std::vector<std::string>& MapsPage::internalMaps() {
    static const std::vector<std::string> maps = {
        "q2dm1",  "q2dm2",  "q2dm3",    "q2dm4",  "q2dm5",  "q2dm6",  "q2dm7",   "q2dm8",   "base1", "base2",
        "base3",  "train",  "bunk1",    "ware1",  "ware2",  "jail1",  "jail2",   "jail3",   "jail4", "jail5",
        "security", "mintro", "mine1",  "mine2",  "mine3",  "mine4",  "fact1",   "fact2",   "fact3", "power1",
        "power2", "cool1",  "waste1",   "waste2", "waste3", "biggun", "hangar1", "hangar2", "lab",   "command",
        "strke",  "city1",  "city2",    "city3",  "boss1",  "boss2"};
    return maps;
}

std::string MapsPage::mapNameOfFile(std::string_view fileName) {
    return fileName.size() > 4 ? std::string(fileName.substr(0, fileName.size() - 4)) : std::string();
}

MapsPage::MapsPage(DeathmatchFlags& flags) {
    MapFrame.setFragment(" +map q2dm1");
    MapList.setItems(internalMaps());
    CTFList.setItems({"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"});
    MapFile.setEnabled(false);
    CTFList.setEnabled(false);
    // Until start-up points it at the game's map folder the file list shows
    // the working folder, as a fresh file list does.
    std::error_code error;
    const auto workingFolder = std::filesystem::current_path(error);
    if (!error) static_cast<void>(MapFile.setFolder(workingFolder));

    // The preview follows the fragment whatever changed it, the page's rules or the main window's.
    fragmentLink_ = MapFrame.fragmentChanged().connect([this] {
        if (previewing_) preview.show(fragmentMap());
    });
    // A floor plan takes the drawn picture's place.
    planLink_ =
        preview.MapPreview.changed().connect([this] { Image2.setVisible(!preview.MapPreview.visible()); });

    CTFOptionsFrame.setVisible(false);
    for (CheckBox* box : {&NoTechPowerupsCheckBox, &ArmorProtectCheckBox, &ForceJoinCheckBox})
        box->setVisible(false);
    wireFlagBox(ForceJoinCheckBox, 131072, FlagKind::Enable, flags);
    wireFlagBox(ArmorProtectCheckBox, 262144, FlagKind::Enable, flags);
    wireFlagBox(NoTechPowerupsCheckBox, 524288, FlagKind::Enable, flags);

    // The list rules run whatever type is chosen: the program selects in
    // lists that the user cannot click at that moment.
    MapList.onChange([this] {
        if (MapList.selectedIndex() >= 0) setMapFragment(MapList.selectedText());
    });
    CTFList.onChange([this] {
        if (CTFList.selectedIndex() >= 0) setMapFragment(CTFList.selectedText());
    });
    MapFile.onChange([this] {
        if (MapFile.selectedIndex() >= 0) setMapFragment(mapNameOfFile(MapFile.selectedText()));
    });

    InternalMapOption.onChange([this] {
        if (!InternalMapOption.chosen()) return;
        MapList.setEnabled(true);
        MapFile.setEnabled(false);
        CTFList.setEnabled(false);
        CTFOptionsFrame.setVisible(false);
        clearCtfBoxes();
        setMapFragment(MapList.selectedText());
    });

    ExternalMapOption.onChange([this] {
        if (!ExternalMapOption.chosen()) return;
        if (MapFile.count() == 0) {
            InternalMapOption.choose();
            return;
        }
        MapList.setEnabled(false);
        MapFile.setEnabled(true);
        CTFList.setEnabled(false);
        CTFOptionsFrame.setVisible(false);
        clearCtfBoxes();
        const std::string file = MapFile.selectedText();
        if (file.size() > 4) setMapFragment(mapNameOfFile(file));
    });

    CTFMapOption.onChange([this] {
        if (!CTFMapOption.chosen()) return;
        setMapFragment(CTFList.selectedText());
        MapList.setEnabled(false);
        MapFile.setEnabled(false);
        CTFList.setEnabled(true);
        CTFOptionsFrame.setVisible(true);
        for (CheckBox* box : {&NoTechPowerupsCheckBox, &ArmorProtectCheckBox, &ForceJoinCheckBox})
            box->setVisible(true);
        if (onCtfChosen) onCtfChosen();
    });
}

void MapsPage::startPreview() {
    if (previewing_) return;
    previewing_ = true;
    preview.show(fragmentMap());
}

void MapsPage::gameDirectoryChanged() {
    if (previewing_) preview.show(fragmentMap());
}

std::optional<std::string> MapsPage::unloadableMapQuestion() const {
    const std::string map = fragmentMap();
    if (map.empty()) return std::nullopt;
    const std::string consequence = "; it would stop at its console. Launch anyway?";
    const auto location = mapFiles.locate(map);
    if (!location) return "The game cannot load " + map + ": " + location.error().describe() + consequence;
    if (!location.value()) return "The game has no file for " + map + consequence;
    const auto summary = mapFiles.summary(*location.value());
    if (const auto refusal = mapFiles.knownRefusal(*location.value()))
        return "The game refuses " + map + ": " + refusal->describe() + consequence;
    if (!summary) return "The game cannot load " + map + ": " + summary.error().describe() + consequence;
    return std::nullopt;
}

std::string MapsPage::fragmentMap() const {
    const std::string& fragment = MapFrame.fragment();
    const std::string_view start = " +map ";
    return fragment.starts_with(start) ? fragment.substr(start.size()) : std::string();
}

// Leaving the CTF type unchecks its boxes; each that was checked subtracts its
// value through its own flag rule.
void MapsPage::clearCtfBoxes() {
    ForceJoinCheckBox.setState(0);
    NoTechPowerupsCheckBox.setState(0);
    ArmorProtectCheckBox.setState(0);
}

}  // namespace vexmoor
