#pragma once

#include "core/ports.h"

namespace vexmoor {

// The toolkit's beep.
class QtAlert : public Alert {
public:
    void beep() override;
};

}  // namespace vexmoor
