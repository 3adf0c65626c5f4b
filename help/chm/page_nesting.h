#pragma once

#include <QString>

namespace veltrano::help {

// A help page as the browser is given it, and whether part of it was flattened.
struct CappedPage {
  QString html;
  bool flattened = false;
};

// The nesting a page may have before the browser lays it out. The text
// browser lays out each nested table inside the layout of its cell, twice
// over, so that the time doubles with every level and some thousands of
// levels overflow the stack; the program's pages nest two. Any other element
// costs time with the square of its depth as the page is parsed (3000 nested
// list items take seconds), and real pages nest about a dozen.
inline constexpr int kMaxTableDepth = 6;
inline constexpr int kMaxElementDepth = 64;

// The page with the tags of every element nested past the caps left out, and
// the text inside them kept: a table, list or quotation too deep is shown as
// its plain text. The page is scanned once, as loosely as the browser reads
// HTML: any letter case, unclosed paragraphs, items and cells, quoted
// attribute values, comments and style sheets.
CappedPage capNesting(const QString& html);

}  // namespace veltrano::help
