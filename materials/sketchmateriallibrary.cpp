#include "materials/sketchmateriallibrary.h"

#include "model/filehelpers.h"
#include "model/sketchglobals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString &testProgramFolder()
{
    static QString folder;
    return folder;
}

QString &testUserFolder()
{
    static QString folder;
    return folder;
}

// A save replaces the file through a new file beside it, which needs the
// folder; an existing library that cannot be written is refused as well.
bool canSaveIn(const QString &folder)
{
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || !folderInfo.isDir() || !folderInfo.isWritable())
        return false;
    const QFileInfo library(QDir(folder).filePath(SketchMaterialLibrary::fileName()));
    return !library.exists() || library.isWritable();
}

} // namespace

QString SketchMaterialLibrary::name()
{
    return QStringLiteral("Templates");
}

QString SketchMaterialLibrary::fileName()
{
    return name() + SketchGlobals::xmlSuffix;
}

QString SketchMaterialLibrary::filePath()
{
    QString programFolder = testProgramFolder();
    QString userFolder = testUserFolder();
    if (programFolder.isEmpty())
        programFolder = QCoreApplication::applicationDirPath();
    if (userFolder.isEmpty())
        userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // Without a home for user data the program folder is all there is.
    const bool writable = canSaveIn(programFolder) || userFolder.isEmpty();
    return filePath(programFolder, writable, userFolder);
}

QString SketchMaterialLibrary::filePath(const QString &programFolder, bool programFolderWritable,
                                        const QString &userFolder)
{
    const QString programLibrary = QDir(programFolder).filePath(fileName());
    const QString userLibrary = userFolder.isEmpty() ? QString() : QDir(userFolder).filePath(fileName());
    // The user's copy holds every edit made since it was made: whatever the
    // program folder allows now, going back to its library would lose them.
    if (!userLibrary.isEmpty() && QFileInfo::exists(userLibrary))
        return userLibrary;
    if (programFolderWritable || userLibrary.isEmpty())
        return programLibrary;
    QDir().mkpath(userFolder);
    // An unreadable library is not copied: an empty copy would stand in for
    // it from then on.
    const QByteArray seed = readWholeFile(programLibrary);
    if (!seed.isEmpty())
        writeWholeFile(userLibrary, seed);
    return userLibrary;
}

void SketchMaterialLibrary::setFolders(const QString &programFolder, const QString &userFolder)
{
    testProgramFolder() = programFolder;
    testUserFolder() = userFolder;
}
