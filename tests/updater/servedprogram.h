#ifndef SERVEDPROGRAM_H
#define SERVEDPROGRAM_H

// The check marks of the tests' served program (servedprogram.cpp): a copy
// of it whose file ends with one of them misbehaves in the updater's check
// mode.

namespace servedprogram {

inline constexpr const char *crashInCheck = "\ncheck: crash\n";
inline constexpr const char *hangInCheck = "\ncheck: hang\n";
// Ends with 0, as a program that ignores the check mode and would open its
// window.
inline constexpr const char *passEveryCheck = "\ncheck: exit 0\n";

} // namespace servedprogram

#endif // SERVEDPROGRAM_H
