#ifndef QMAIN_H
#define QMAIN_H

// The entry of the drawing program: sorts the command line and then runs in
// exactly one way, returning the process exit code:
//
// - an image export ("-exportimage" with as many images as documents, at
//   least one): every document to its image, without a window or event
//   loop, beside a running instance too; 0 when all were written, 1 when any
//   failed (one line each on the error stream);
// - "-h" or "--help": the usage on the standard output, 0;
// - an option of no meaning here: a line naming it and the usage on the
//   error stream, 2;
// - "-exportimage" with no documents or unequal counts, or "-drawframe"
//   without "-exportimage": the export's usage line on the error stream, 2;
// - a second start: hands the documents, made absolute, to the running
//   instance; 0 once it holds them, else a line on the error stream and 1,
//   and then they are withdrawn: the instance never opens them later;
// - the first start: the interactive way (interactivestart.h).
//
// An export always runs on the offscreen platform, whatever display the
// environment names.
int qMain(int argc, char **argv);

#endif // QMAIN_H
