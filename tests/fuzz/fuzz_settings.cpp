// The user settings file: any bytes load, as plain texts only and without
// stopping the program; the save of what was loaded reads back as the same
// texts and saves the same bytes again.
#include "fuzz/fuzzsupport.h"
#include "fuzz/roundtrip.h"

#include "app/usersettings.h"

#include <QFile>
#include <QStringList>

namespace {

QStringList texts(const UserSettings &settings)
{
    return {settings.themeName(), settings.userId(), settings.lastVersion(), settings.email()};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QString path = fuzzScratchPath(QStringLiteral("Loomdraw/Loomdraw.ini"));
    const QByteArray bytes = fuzzBytes(data, size);
    UserSettings &settings = UserSettings::instance();
    // The first save makes the folder.
    if (!settings.save(path))
        fuzzFail(QStringLiteral("the settings cannot be saved"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzzFail(QStringLiteral("the scratch file cannot be written"));
    file.close();

    settings.load(path);
    const QStringList loaded = texts(settings);
    if (!settings.save(path))
        fuzzFail(QStringLiteral("the settings cannot be saved"));
    const QByteArray saved = readFile(path);
    settings.load(path);
    if (texts(settings) != loaded) {
        fuzzFail(QStringLiteral("the saved settings read back otherwise, ")
                 + roundTripDifference(loaded.join(QLatin1Char('\n')).toUtf8(),
                                       texts(settings).join(QLatin1Char('\n')).toUtf8()));
    }
    if (!settings.save(path) || readFile(path) != saved)
        fuzzFail(QStringLiteral("saving again changes the text, ") + roundTripDifference(saved, readFile(path)));
    return 0;
}
