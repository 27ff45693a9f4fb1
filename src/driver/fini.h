// Last run step: release the file's root container and print the totals.
#ifndef KIVO_DRIVER_FINI_H
#define KIVO_DRIVER_FINI_H

// Frees the top root container, if there is one, then prints the totals.
void FINI();

#endif
