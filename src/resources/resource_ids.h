/* Resource numbers of Orvane.scr, shared by orvane.rc and the Win32 layer. */
#pragma once

/* The preview's still: a 152 x 112 JPEG. */
#define ORV_RES_PREVIEW_STILL 101
