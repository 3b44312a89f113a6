#pragma once
#include <QString>
#include <array>

// The four recent-database entries of the file menu, index 0 the most recently opened.
struct RecentEntry {
    bool visible = false;
    QString tag;      // full path, exactly as opened
    QString caption;  // "&" + (index + 1) + " " + display name
};
using RecentEntries = std::array<RecentEntry, 4>;

// Folder part: the text before the last "/"; file-name part: the text after it.
QString FolderPart(const QString& path);
QString FileNamePart(const QString& path);

// The file name alone when the path lies in the program's folder (exact comparison), else the full path.
QString DisplayName(const QString& path, const QString& programFolder);
QString RecentCaption(int index, const QString& displayName);

// The entries as restored from the stored paths (empty = none). A hole stays a hidden entry; a path that
// already stands in an earlier entry is not shown twice. A stored name without a folder lies in the program's folder.
RecentEntries RecentRestore(const std::array<QString, 4>& stored, const QString& programFolder);

// Puts a path that has just been opened at the top: a known path moves up, a new one pushes the others
// down and the fourth drops off. Hidden entries shift down as empty ones.
void RecentUpdate(RecentEntries& entries, const QString& path, const QString& programFolder);
