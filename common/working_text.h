#pragma once

#include <QString>

#include "common/working.h"

namespace veltrano::working {

// The one renderer of a Working: rich text for the pane and for HTML files,
// plain text for the clipboard, print, screen readers and text files. Both
// say the same in the same order.
//
// Texts may mark a superscript as ^{...} and a subscript as _{...}: rich
// text sets them raised or lowered; plain text writes the Unicode digits
// where every character has one (x² , r⁻¹) and ^(...) or _(...) otherwise.

// How the working stands against the fields on show.
enum class Shown {
  Current,  // the fields still read as these numbers
  Greyed,   // the fields no longer read as these numbers (a field cannot be read)
};

// Plain text: the title, then each step numbered with its lines indented
// below it, and each table as right-aligned columns parted by " | ".
QString toPlainText(const Working& working, Shown shown = Shown::Current);

// A whole XHTML document in the subset Qt's rich text shows: a heading,
// paragraphs, tables, <sup> and <sub>. Greyed or stopped, its text is grey.
QString toRichText(const Working& working, Shown shown = Shown::Current);

// The sentence that says why the working is greyed, empty when it is not.
QString greyedNote(const Working& working, Shown shown);

}  // namespace veltrano::working
