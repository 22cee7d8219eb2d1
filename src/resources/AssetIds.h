#pragma once

// Names of the shell's built-in resources (assets.rc) and the addresses the
// About page links to. The resource script uses the bare words; code asks
// for the resources by the same names as strings. Names, not numbers,
// because the picture loaders take a resource name.

#define KLARVO_RES_TITLE_PICTURE TITLE_PICTURE
#define KLARVO_RES_DEFAULT_BACKGROUND DEFAULT_BACKGROUND
#define KLARVO_RES_HELP_TEXT HELP_TEXT
// The framework asks for this one itself (kHandCursorResource in
// framework/Control.h), where the system has no hand cursor.
#define KLARVO_RES_HAND_CURSOR HAND_POINT
// Both programs carry it (program.rc); the shell gives it to its window.
#define KLARVO_RES_APP_ICON APP_ICON

#ifndef RC_INVOKED

namespace klarvo::assets {

// The 517 x 15 title picture of the caption strip: a BITMAP resource.
inline constexpr char kTitlePicture[] = "TITLE_PICTURE";
// The 128 x 128 greyscale default background: an RCDATA resource holding a
// JPEG file.
inline constexpr char kDefaultBackground[] = "DEFAULT_BACKGROUND";
// The help text: an RCDATA resource of CR LF lines, no terminating zero.
inline constexpr char kHelpText[] = "HELP_TEXT";
// The application icon: an ICON resource, 16 x 16 and 32 x 32.
inline constexpr char kAppIcon[] = "APP_ICON";

// The About page's links.
inline constexpr char kProductPageAddress[] = "http://www.example.org/klarvo/";
inline constexpr char kSupportMailAddress[] = "support@example.org";

} // namespace klarvo::assets

#endif
