#pragma once

#include <QString>
#include <vector>

namespace veltrano::help {

// One line of a help file's table of contents: a heading, a page, or both.
struct ContentsEntry {
  QString name;
  QString local;  // the page it opens, relative to the file's root; may be empty
  std::vector<ContentsEntry> children;
};

// Reads the sitemap of a contents (.hhc) file: nested lists whose items are
// <OBJECT type="text/sitemap"> with "Name" and "Local" parameters. Tolerant
// of the loose HTML such files are written in: unclosed tags, any letter
// case, quoted or bare attribute values.
std::vector<ContentsEntry> parseContents(const QString& sitemap);

}  // namespace veltrano::help
