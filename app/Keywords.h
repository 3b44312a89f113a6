#pragma once
#include <QByteArray>
#include <QString>

// The keyword list of the colouring: "#" + each line of the file + "#" after each, lines taken exactly as
// read (a final line break adds no empty line). An empty file gives "#".
QString KeywordList(const QByteArray& fileContent);
