// Numbers of the pictures carried inside the program. The same numbers name
// the bitmap resources of the Windows build.
#pragma once

constexpr int IDB_BANNER = 120;          // 480 x 112, settings dialog
constexpr int IDB_PREVIEW_WINDOW = 121;  // 151 x 119, host preview area
constexpr int IDB_BRAND_MARK = 139;      // 56 x 8, corner of every frame
constexpr int IDI_PROGRAM_ICON = 100;    // program icon (PNG here)
// The style previews (150 x 150) are numbered by the style table.
