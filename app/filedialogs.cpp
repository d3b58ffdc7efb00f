#include "app/filedialogs.h"

#include "model/filehelpers.h"
#include "skin/windows/skinplatformdialogs.h"

#include <QFileInfo>

namespace {

FileDialogs::AnswerHook &installedHook()
{
    static FileDialogs::AnswerHook hook;
    return hook;
}

// The chosen filter's suffix on a name typed without one.
QString withSuffixOf(const QString &name, const QString &chosenFilter)
{
    const QString suffix = suffixOfNameFilter(chosenFilter);
    if (name.isEmpty() || suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + suffix;
}

} // namespace

QStringList FileDialogs::getOpenFileNames(QWidget *parent, const QString &caption,
                                          const QString &directory, const QString &filter)
{
    if (const AnswerHook hook = installedHook())
        return hook(Request{Kind::OpenFiles, parent, caption, directory, filter});
    return SkinPlatformDialogs::getOpenFileNames(parent, caption, directory, filter);
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption,
                                     const QString &proposedName, const QString &filter)
{
    if (const AnswerHook hook = installedHook()) {
        const QStringList answer = hook(Request{Kind::SaveFile, parent, caption, proposedName, filter});
        return withSuffixOf(answer.value(0), answer.value(1));
    }
    return SkinPlatformDialogs::getSaveFileName(parent, caption, proposedName, filter);
}

void FileDialogs::setAnswerHook(const AnswerHook &hook)
{
    installedHook() = hook;
}

FileDialogs::AnswerHook FileDialogs::answerHook()
{
    return installedHook();
}
