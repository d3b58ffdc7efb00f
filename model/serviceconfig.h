#ifndef SERVICECONFIG_H
#define SERVICECONFIG_H

#include <QString>

// Where the program's web service lives. The addresses are fixed when the
// program is built (empty unless the packager names a service) and one
// environment variable replaces the service's base address at run time, for
// tests and staging. An empty base address means that no service exists:
// every address built on it is empty, and an empty address is never sent.
//
// No state: every call reads the built-in values and the environment again.
// Read by both programs, the drawing program and its updater.
class ServiceConfig
{
public:
    ServiceConfig() = delete;

    // The variable whose value, when it is set (even to nothing), replaces
    // the built-in service base and the updater's download base.
    static constexpr const char *overrideVariable = "LOOMDRAW_SERVICE_BASE";

    // The base address of every service request ("http://host[:port]"),
    // without a trailing "/"; empty when no service is configured.
    static QString serviceBase();
    // The product's home page: the built-in one, else the service base.
    static QString homePage();
    // The base address below which the updater finds the program file: the
    // built-in download base, else the service base. The override replaces
    // both.
    static QString downloadBase();

    // `path` below `base`, or empty when `base` is empty.
    static QString address(const QString &base, const QString &path);
};

#endif // SERVICECONFIG_H
