#ifndef SUPPORT_CHILDWAIT_H
#define SUPPORT_CHILDWAIT_H

// The cap of every wait of a test for a sign from a process it started: its
// start, its ready line (a receiver's first report, a service's port, a
// marker file), its next line, its end. Each wait returns as soon as the
// sign is there or the child has ended, so the cap costs nothing when all
// goes well; it only turns a child that never answers into a failure
// instead of a hang. A sanitizer build starting while the machine is busy
// with other builds can take well over half a minute before its window
// shows; three minutes still leave Qt Test's own five minutes per test
// function to fail in.
inline constexpr int childWaitMilliseconds = 180000;

#endif // SUPPORT_CHILDWAIT_H
