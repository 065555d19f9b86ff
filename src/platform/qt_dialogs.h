#pragma once

#include "core/ports.h"

namespace vexmoor {

// Message boxes, modal over the window the user is working in.
class QtDialogs : public Dialogs {
public:
    Answer show(const Message& message) override;
};

}  // namespace vexmoor
