#include "DataFolder.h"

#include "PathRules.h"
#include "Platform.h"

#include <QDir>
#include <QFileInfo>

QString programSettingsFile()
{
    const QString programFile = platform().programFile();
    if (programFile.isEmpty())
        return QString();
    const QString settings = settingsFileFor(programFile);
    const QString data = platform().dataFolder();
    return data.isEmpty() ? settings : data + extractFileName(settings);
}

QString decideDataFolder()
{
    Platform &system = platform();
    system.setDataFolder(QString());
    const QString programFile = system.programFile();
    if (programFile.isEmpty())
        return QString();
    if (QFileInfo::exists(settingsFileFor(programFile)) || system.canWriteIn(programFolderFor(programFile)))
        return QString();
    // Without a folder of its own the program goes on in its folder as
    // always; every saving there then reports that it cannot write.
    const QString own = system.userDataFolder();
    if (own.isEmpty() || !QDir().mkpath(own))
        return QString();
    const QString folder = programFolderFromFolder(own);
    system.setDataFolder(folder);
    return folder;
}

QString programFolder()
{
    const QString data = platform().dataFolder();
    return data.isEmpty() ? programFolderFor(platform().programFile()) : data;
}
