/* Resource names and numbers shared by the resource script and the program.
   Plain defines: the resource compiler reads this file too. */
#ifndef TAVELIN_RESOURCE_IDS_H
#define TAVELIN_RESOURCE_IDS_H

/* The application icon group (32x32 big icon, 16x16 small icon). */
#define TAVELIN_ICON_NAME "DEFAULT_ICON"

/* The link label's pointing-hand cursor. */
#define TAVELIN_HAND_CURSOR 1032

#endif
