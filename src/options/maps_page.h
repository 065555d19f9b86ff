#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/signal.h"
#include "gamefiles/map_library.h"
#include "options/deathmatch_flags.h"
#include "options/map_preview.h"

namespace vexmoor {

// The "Maps" page: the map type, the three map lists and the CTF options.
class MapsPage {
public:
    explicit MapsPage(DeathmatchFlags& flags);

    Frame MapTab{"MapTab"};
    Button EditMapCycleButton{"EditMapCycleButton", "Edit Map Cycle", "Edits map cycle. "};

    Frame MapFrame{"MapFrame", "Map"};
    OptionGroup mapType;
    OptionButton InternalMapOption{"InternalMapOption", "Q2 Internal", mapType, true,
                                   "One of the id designed Q2 maps."};
    OptionButton ExternalMapOption{"ExternalMapOption", "Q2 External", mapType, false, "Third party maps."};
    OptionButton CTFMapOption{"CTFMapOption", "Q2 CTF", mapType, false, "Capture the Flag maps."};
    ListBox MapList{"MapList", ListBox::Mode::Single};
    FileList MapFile{"MapFile", ".bsp", "Third party map files installed, if any."};
    ListBox CTFList{"CTFList", ListBox::Mode::Single};
    // One filter for the three lists, whichever is in use; the map chosen
    // stays chosen when it is filtered out.
    FilterText MapFilter{"MapFilter"};
    // How many maps of each list the game has a file for, once looked up.
    Label MapListCountLabel{"MapListCountLabel"};
    Label MapFileCountLabel{"MapFileCountLabel"};
    Label CTFListCountLabel{"CTFListCountLabel"};

    Frame CTFOptionsFrame{"CTFOptionsFrame", "CTF Options"};
    CheckBox NoTechPowerupsCheckBox{"NoTechPowerupsCheckBox", "No Tech Powerups", false};
    CheckBox ArmorProtectCheckBox{"ArmorProtectCheckBox", "Armor Protect", false};
    CheckBox ForceJoinCheckBox{"ForceJoinCheckBox", "Force Join", false};

    Label Image2{"Image2"};

    // The game's map files behind the lists; the main window tells it the game directory.
    MapLibrary mapFiles;
    // The map the fragment names, once the page has been shown: nothing is
    // read before the user looks.
    MapPreviewModel preview{mapFiles};
    void startPreview();
    // The map's file is looked up again in another game directory.
    void gameDirectoryChanged();
    // The map the fragment starts; empty for a fragment of another form.
    std::string fragmentMap() const;
    // Why the game could not load that map (no file where it looks, or a
    // file or archive it refuses), as a question whether to launch anyway;
    // nothing when it can.
    std::optional<std::string> unloadableMapQuestion() const;

    // Runs last when "Q2 CTF" becomes chosen; the main window switches team
    // play off from here.
    std::function<void()> onCtfChosen;

    // The map name a file of MapFile stands for: the name without its last
    // four characters.
    static std::string mapNameOfFile(std::string_view fileName);

    static const std::vector<std::string>& internalMaps();

private:
    void setMapFragment(const std::string& map) { MapFrame.setFragment(" +map " + map); }
    void clearCtfBoxes();

    bool previewing_ = false;
    Connection fragmentLink_;
    Connection planLink_;
};

}  // namespace vexmoor
