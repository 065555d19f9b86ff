#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/paths.h"
#include "core/ports.h"

namespace vexmoor {

// The question an editor asks before changes that are not written would be
// lost or left behind: "The chat lines have changes that are not written to
// eraser/chat.txt." Cancel is the default, so a user who only confirms, or
// presses Escape, stays where the work is.
inline Message unwrittenChangesQuestion(std::string_view subject, std::string_view relativeFile,
                                        Buttons buttons = Buttons::WriteDiscardCancel) {
    return Message{std::string(subject) + " changes that are not written to " + nativeSeparators(relativeFile) +
                       ".",
                   kApplicationTitle, Icon::Exclamation, buttons, Answer::Cancel};
}

// Leaving an editor: without changes it just leaves. With changes it asks;
// Write leaves only once the editor's own write has succeeded (a failed one
// has told why, and the work stays in the editor), going on without writing
// leaves at once, Cancel stays.
inline void leaveAfterAsking(Dialogs& dialogs, bool changed, const Message& question,
                             const std::function<bool()>& write, const std::function<void()>& leave) {
    if (changed) {
        const Answer answer = dialogs.show(question);
        if (answer == Answer::Write) {
            if (!write()) return;
        } else if (answer != Answer::WithoutWriting) {
            return;
        }
    }
    leave();
}

}  // namespace vexmoor
