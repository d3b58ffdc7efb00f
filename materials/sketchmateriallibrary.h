#ifndef SKETCHMATERIALLIBRARY_H
#define SKETCHMATERIALLIBRARY_H

#include <QString>

// Where the user's material library file lives. The library belongs in the
// program folder, but an installed program's folder is usually not
// writable, and a library whose saves fail would lose every material added
// to it: then the per-user data folder holds it instead, starting as a copy
// of the program folder's library when there is one. Once that copy exists
// it stays the library, also when the program folder becomes writable later.
//
// Never instantiated; nothing is kept but the folders set for tests.
class SketchMaterialLibrary
{
public:
    SketchMaterialLibrary() = delete;

    // The name of the library's material file, "Templates".
    static QString name();
    // The file name, "Templates.xml".
    static QString fileName();

    // The library file of this program: the per-user data folder's
    // (QStandardPaths::AppDataLocation) when it holds one; else the program
    // folder's when files can be written there (and the library there, if
    // any, is writable); else the data folder's, which is created if need
    // be. Never empty. Call it once and keep the answer: it looks at the
    // folders and may copy a file.
    static QString filePath();
    // The same decision for given folders. A library in the user folder is
    // the answer whatever programFolderWritable says. Otherwise, with
    // programFolderWritable false, the user folder is made (with its
    // parents) and gets a copy of the program folder's library if there is
    // one (an empty or unreadable one is not copied); a copy that fails
    // leaves the user folder without a library. An empty user folder
    // always gives the program folder's library.
    static QString filePath(const QString &programFolder, bool programFolderWritable, const QString &userFolder);

    // For tests: filePath() decides with these folders instead of the
    // program folder and the data folder. Empty strings restore those.
    static void setFolders(const QString &programFolder, const QString &userFolder);
};

#endif // SKETCHMATERIALLIBRARY_H
