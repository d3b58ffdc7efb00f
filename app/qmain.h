#ifndef QMAIN_H
#define QMAIN_H

// The entry of the drawing program: sorts the command line and then runs in
// exactly one way, returning the process exit code:
//
// - an image export ("-exportimage" with as many images as documents, at
//   least one): every document to its image, without a window or event
//   loop, beside a running instance too; 0 when all were written, 1 when any
//   failed (one line each on the error stream);
// - "-exportimage" with no documents or unequal counts: a usage line on the
//   error stream, 2;
// - any other option: nothing, 0;
// - a second start: hands the documents, made absolute, to the running
//   instance; 0 once it holds them, else a line on the error stream and 1,
//   and then they are withdrawn: the instance never opens them later;
// - the first start: the interactive way (interactivestart.h).
//
// An export on a machine without any display (DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM all unset) uses the offscreen platform.
int qMain(int argc, char **argv);

#endif // QMAIN_H
