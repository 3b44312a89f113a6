#pragma once
#include <vector>

#include "editor/Kleurscan.h"

class QTextDocument;

namespace querimo::editor {

// Shows the colours on the document's layout, black wherever no stretch says otherwise. The text and its
// character formats stay untouched, so this is no edit: no change signal and no undo step.
void KleurenToepassen(QTextDocument* document, const std::vector<KleurBereik>& bereiken);

}  // namespace querimo::editor
