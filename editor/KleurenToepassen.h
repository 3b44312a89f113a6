#pragma once
#include <vector>

#include "editor/KleurGeheugen.h"
#include "editor/Kleurscan.h"

class QTextDocument;

namespace querimo::editor {

// Shows the colours on the layout of the lines that hold part of the stretch gewijzigd; the rest shows the
// box's own text colour, black. The text and its character formats stay untouched, so this is no edit: no change
// signal and no undo step.
void KleurenToepassen(QTextDocument* document, const std::vector<KleurBereik>& bereiken, Gewijzigd gewijzigd);

}  // namespace querimo::editor
