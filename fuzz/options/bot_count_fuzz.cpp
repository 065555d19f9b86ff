// Feeds arbitrary edits to the bot count of the Bots tab: texts typed or
// pasted into BotNumText, scroll bar moves and spawn-mode changes, one after
// another. Beyond "no crash" (the text rule calls itself through the scroll
// bar), after every step: the scroll bar stands within 0 to 30 at the rounded
// value of the text's leading number, which itself lies within 0 to 30; a
// typed count outside that range beeps once and falls back to "0", one inside
// it never beeps; and the count fragment carries the text as it now stands.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "fuzz_support.h"
#include "options/bots_page.h"

using vexmoor::fuzzing::piecesOf;
using vexmoor::fuzzing::require;

namespace {

void requireConsistent(const vexmoor::BotsPage& page) {
    const double count = vexmoor::leadingNumber(page.BotNumText.text());
    require(count >= 0 && count <= 30);
    const int scroll = page.BotNumScroll.value();
    require(scroll >= 0 && scroll <= 30);
    require(scroll == static_cast<int>(vexmoor::roundHalfEven(count)));
    const std::string& fragment = page.BotNumberFrame.fragment();
    const std::string& text = page.BotNumText.text();
    if (page.SpawnSpecificBotsOption.chosen())
        require(fragment.empty() || fragment == " +set bot_num " + text);
    else
        require(fragment == " +bot_num " + text || fragment == " +set bot_num " + text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vexmoor::fuzzing::CountingAlert alert;
    vexmoor::BotsPage page(alert);
    requireConsistent(page);

    // Steps are cut at NUL bytes. A step of byte 1 and one more byte moves the
    // scroll bar to that byte's value (modulo 31); a step of byte 2 alone
    // chooses random bots, of byte 3 alone specific bots; any other step is a
    // text typed over the whole field.
    for (const std::string& step : piecesOf(bytes, '\0')) {
        const int beepsBefore = alert.beeps;
        const int scrollBefore = page.BotNumScroll.value();
        const std::string textBefore = page.BotNumText.text();
        const std::string fragmentBefore = page.BotNumberFrame.fragment();
        if (step.size() == 2 && step[0] == '\x01') {
            const int value = static_cast<unsigned char>(step[1]) % 31;
            page.BotNumScroll.setValue(value);
            require(page.BotNumScroll.value() == value);
            require(page.BotNumText.text() == textBefore || page.BotNumText.text() == std::to_string(value));
        } else if (step == "\x02") {
            const bool wasChosen = page.SpawnRandomBotsOption.chosen();
            page.SpawnRandomBotsOption.choose();
            require(page.BotNumberFrame.fragment() ==
                    (wasChosen ? fragmentBefore : " +bot_num " + page.BotNumText.text()));
        } else if (step == "\x03") {
            const bool wasChosen = page.SpawnSpecificBotsOption.chosen();
            page.SpawnSpecificBotsOption.choose();
            require(page.BotNumberFrame.fragment() == (wasChosen ? fragmentBefore : std::string()));
        } else {
            page.BotNumText.setText(step);
            if (step != textBefore) {
                const double typed = vexmoor::leadingNumber(step);
                const bool inRange = typed >= 0 && typed <= 30;
                require(alert.beeps == beepsBefore + (inRange ? 0 : 1));
                if (!inRange) {
                    require(page.BotNumText.text() == "0");
                } else {
                    const int rounded = static_cast<int>(vexmoor::roundHalfEven(typed));
                    require(page.BotNumText.text() ==
                            (rounded == scrollBefore ? step : std::to_string(rounded)));
                }
                require(page.BotNumberFrame.fragment() == " +set bot_num " + page.BotNumText.text());
            }
        }
        requireConsistent(page);
    }
    return 0;
}
