#pragma once

#include "core/services/SettingsStore.h"
#include "core/services/UserInterface.h"

namespace trovique {

// What core operations need of the world around them, handed to them instead of globals. A
// plain bundle of references: whoever builds one owns what it refers to and keeps it alive as
// long as the operations that use it.
struct CServices {
    ISettingsStore& settings;
    IUserInterface& ui;
};

}  // namespace trovique
