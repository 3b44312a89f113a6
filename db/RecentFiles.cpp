#include "db/RecentFiles.h"

QString FolderPart(const QString& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash);
}

QString FileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QString DisplayName(const QString& path, const QString& programFolder)
{
    return path.contains('/') && FolderPart(path) == programFolder ? FileNamePart(path) : path;
}

QString RecentCaption(int index, const QString& displayName)
{
    return "&" + QString::number(index + 1) + " " + displayName;
}

RecentEntries RecentRestore(const std::array<QString, 4>& stored, const QString& programFolder)
{
    RecentEntries entries;
    for (int i = 0; i < 4; ++i) {
        if (stored[i].isEmpty()) continue;
        // A name without a folder is a file in the program's folder, wherever the program was started from.
        const QString path = stored[i].contains('/') ? stored[i] : programFolder + '/' + stored[i];
        bool repeated = false;
        for (int j = 0; j < i; ++j) repeated = repeated || (entries[j].visible && entries[j].tag == path);
        if (!repeated) entries[i] = {true, path, RecentCaption(i, DisplayName(path, programFolder))};
    }
    return entries;
}

namespace {

// Entry i takes the place of entry i - 1, keeping the display name its caption already shows.
void shiftDown(RecentEntries& entries, int i)
{
    const RecentEntry& above = entries[i - 1];
    if (above.visible)
        entries[i] = {true, above.tag, "&" + QString::number(i + 1) + " " + above.caption.mid(3)};
    else
        entries[i] = {};
}

}  // namespace

void RecentUpdate(RecentEntries& entries, const QString& path, const QString& programFolder)
{
    int found = -1;
    for (int i = 0; i < 4; ++i)
        if (entries[i].visible && entries[i].tag == path) found = i;
    for (int i = found >= 0 ? found : 3; i >= 1; --i) shiftDown(entries, i);
    entries[0] = {true, path, RecentCaption(0, DisplayName(path, programFolder))};
}
