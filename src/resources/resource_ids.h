/* Resource numbers of Orvane.scr, shared by orvane.rc and the Win32 layer. */
#pragma once

/* The preview's still: a 152 x 112 JPEG. */
#define ORV_RES_PREVIEW_STILL 101

/* The program's icon; the lowest number, so the shell shows it for the file. */
#define ORV_RES_ICON 1
