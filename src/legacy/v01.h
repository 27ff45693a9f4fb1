// Legacy checker for version-1.x KIVO files.
//
// A self-contained checker with its own reader, keyword table, message
// table, number reader, output forms and totals. It shares nothing with the
// rest of the program but this entry point.
#ifndef KIVO_LEGACY_V01_H
#define KIVO_LEGACY_V01_H

// Checks the file argv[1] against the version-1.1 rules and prints the
// findings and the totals on standard output. With an argument count other
// than 2 it prints its usage text and ends the process with status 1;
// otherwise it returns 0, whatever it found.
int v01_main(int argc, char** argv);

// Puts the checker back to its program-start state. v01_main starts every
// run from this state itself; in-process tests call it between runs.
void V01_Reset();

#endif
