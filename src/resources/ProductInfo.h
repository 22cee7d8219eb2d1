#pragma once

// What both programs say about themselves in their version resource. Read
// by the resource compiler as well as by C++, so plain macros only.

#define KLARVO_PRODUCT_NAME "Klarvo"
#define KLARVO_VERSION_MAJOR 3
#define KLARVO_VERSION_MINOR 1
#define KLARVO_VERSION_TEXT "3.1"
#define KLARVO_COPYRIGHT "Copyright (C) 2026 the Klarvo developers"
