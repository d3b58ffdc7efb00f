#include "model/serviceconfig.h"

// LOOMDRAW_BUILT_SERVICE_BASE, LOOMDRAW_BUILT_HOME_PAGE and
// LOOMDRAW_BUILT_DOWNLOAD_BASE come from the build's configuration.

namespace {

// A base address joined with "/path" must not give "//path".
QString normalised(const QString &address)
{
    QString base = address.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

bool overridden()
{
    return qEnvironmentVariableIsSet(ServiceConfig::overrideVariable);
}

QString overrideBase()
{
    return normalised(qEnvironmentVariable(ServiceConfig::overrideVariable));
}

} // namespace

QString ServiceConfig::serviceBase()
{
    if (overridden())
        return overrideBase();
    return normalised(QStringLiteral(LOOMDRAW_BUILT_SERVICE_BASE));
}

QString ServiceConfig::homePage()
{
    const QString page = QStringLiteral(LOOMDRAW_BUILT_HOME_PAGE).trimmed();
    return page.isEmpty() ? serviceBase() : page;
}

QString ServiceConfig::downloadBase()
{
    if (overridden())
        return overrideBase();
    const QString base = normalised(QStringLiteral(LOOMDRAW_BUILT_DOWNLOAD_BASE));
    return base.isEmpty() ? serviceBase() : base;
}

QString ServiceConfig::address(const QString &base, const QString &path)
{
    return base.isEmpty() ? QString() : base + path;
}
