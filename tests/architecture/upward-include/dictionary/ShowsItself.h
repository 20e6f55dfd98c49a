#pragma once

// Fixture: the dictionary reaching up into the main window.
#include "app/DicFrm.h"
#include "base/Error.h"
